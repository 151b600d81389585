#pragma once
// Device state guards of the tab painters, over the platform's TSavedDC.
//
// TQxSavedDC: a canvas's device state saved for a scope: the clip region,
// the objects selected and the modes come back when the guard ends, also
// when an exception passes; a state that cannot be saved is an error of the
// unit. The canvas then selects its own pen, brush and font again before it
// next draws, while direct GDI calls see what the DC had when it was saved
// (an outer guard's font, for instance).
//
// TFontSelection: the tab font (turned for the text orientation, bold on
// request) selected into the paint buffer for a scope, deleted after.

#include "controls/tabs/QxTabControl.h"
#include "platform/gui/gdi/SavedDC.h"

class TQxSavedDC {
public:
    // Raises EQxTabControlError "Error saving device context" when the
    // state cannot be saved.
    explicit TQxSavedDC(TCanvas* Canvas) : FCanvas(Canvas), FDC(Canvas->Handle()), FSaved(FDC) {
        if (!FSaved.Level()) throw EQxTabControlError("Error saving device context");
    }
    // The canvas forgets what it selected (it selects its own objects again
    // before it next draws); then FSaved gives the DC back what it had.
    ~TQxSavedDC() { FCanvas->Refresh(); }
    TQxSavedDC(const TQxSavedDC&) = delete;
    TQxSavedDC& operator=(const TQxSavedDC&) = delete;
    HDC DC() const { return FDC; }

private:
    TCanvas* FCanvas;
    HDC FDC;
    TSavedDC FSaved;
};

class TQxCustomTabControl::TFontSelection {
public:
    TFontSelection(TQxCustomTabControl* Control, bool Bold, bool Underline = false)
        : FFont(Control->MakeTabFont(Bold, Underline)), FSaved(Control->FBuffer->Canvas()) {
        SelectObject(FSaved.DC(), AsGdiObj(FFont.Handle));
    }
    HDC DC() const { return FSaved.DC(); }

private:
    // Deleted after the DC has been given back what it had.
    struct TFontHandle {
        HFONT Handle;
        ~TFontHandle() { DeleteObject(AsGdiObj(Handle)); }
    } FFont;
    TQxSavedDC FSaved;
};
