#pragma once
// Device state guards of the tab painters.
//
// TQxSavedDC: a canvas's device state saved for a scope: the clip region, the objects
// selected and the modes come back when the guard ends, also when an
// exception passes; the canvas then selects its own pen, brush and font
// again before it next draws, while direct GDI calls see what the DC had
// when it was saved (an outer guard's font, for instance).

#include "controls/tabs/QxTabControl.h"

class TQxSavedDC {
public:
    // Raises EQxTabControlError "Error saving device context" when the
    // state cannot be saved.
    explicit TQxSavedDC(TCanvas* Canvas) : FCanvas(Canvas), FDC(Canvas->Handle()) {
        FLevel = SaveDC(FDC);
        if (!FLevel) throw EQxTabControlError("Error saving device context");
    }
    ~TQxSavedDC() { Restore(); }
    TQxSavedDC(const TQxSavedDC&) = delete;
    TQxSavedDC& operator=(const TQxSavedDC&) = delete;
    HDC DC() const { return FDC; }
    // Restores now (the guard then does nothing more).
    void Restore() {
        if (!FLevel) return;
        // The canvas forgets what it selected (it selects its own objects
        // again before it next draws); the DC gets back what it had.
        FCanvas->Refresh();
        RestoreDC(FDC, FLevel);
        FLevel = 0;
    }

private:
    TCanvas* FCanvas;
    HDC FDC;
    Integer FLevel = 0;
};

// The tab font selected into the paint buffer for the guard's lifetime.
class TQxCustomTabControl::TFontSelection {
public:
    TFontSelection(TQxCustomTabControl* Control, bool Bold, bool Underline = false)
        : FSaved(Control->FBuffer->Canvas()) {
        FFont = Control->MakeTabFont(Bold, Underline);
        SelectObject(FSaved.DC(), AsGdiObj(FFont));
    }
    ~TFontSelection() {
        FSaved.Restore();
        DeleteObject(AsGdiObj(FFont));
    }
    TFontSelection(const TFontSelection&) = delete;
    TFontSelection& operator=(const TFontSelection&) = delete;
    HDC DC() const { return FSaved.DC(); }

private:
    TQxSavedDC FSaved;
    HFONT FFont = nullptr;
};

