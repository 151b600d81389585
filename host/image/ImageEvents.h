#pragma once
// How the image and catalogue logic reports to its window: results lines
// and modal message boxes (OK button only).

#include "platform/rtl/System.h"

#include <functional>

using TResultLineEvent = std::function<void(const String& Line)>;

enum class TImageBoxKind { Error, Warning };
using TImageBoxEvent = std::function<void(const String& Text, TImageBoxKind Kind)>;

struct TImageEvents {
    // One line for the results pane. A text may hold "\r\n" line breaks.
    TResultLineEvent OnResultLine;
    // A modal message box with an OK button.
    TImageBoxEvent OnMessageBox;
    // Runs when a valid image has been placed, after the highest-address
    // lines and before the closing empty line: the window enables its
    // Program item and runs the fit check here.
    std::function<void()> OnValidImage;

    void AddResultLine(const String& Line) const {
        if (OnResultLine) OnResultLine(Line);
    }
    void MessageBox(const String& Text, TImageBoxKind Kind) const {
        if (OnMessageBox) OnMessageBox(Text, Kind);
    }
};
