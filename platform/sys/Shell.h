#pragma once
// Opening documents and links with the desktop's own programs: the "open"
// verb of a shell. The target (a URL, "mailto:" address or file name) is
// handed to the desktop's opener as one argument of its own, never through
// a command interpreter, so no character in it can run anything.
//
// The opener in use is replaceable: tests install one that records the
// targets instead of launching programs.

#include "platform/rtl/System.h"

class IShellOpener {
public:
    virtual ~IShellOpener() = default;
    // Opens Target with the desktop's handler for its kind; true when the
    // handler was started (it is not waited for). On failure Error says what
    // went wrong.
    virtual bool Open(const String& Target, String& Error) = 0;
    // Opens Target with the desktop's default handler of ".htm" documents
    // (the way to show a page whose own kind has no handler).
    virtual bool OpenWithHtmHandler(const String& Target, String& Error) = 0;
};

// The opener in use (never nullptr).
IShellOpener* ShellOpener();
// Installs an opener (the caller keeps ownership); nullptr returns to the
// desktop's one.
void SetShellOpener(IShellOpener* Opener);
// The desktop's opener: xdg-open, and the .htm handler named by xdg-mime,
// both started on their own and left running; only a program that cannot
// be started at all is a failure.
IShellOpener* DesktopShellOpener();

// ShellOpener()->Open(Target).
bool ShellOpen(const String& Target, String& Error);
