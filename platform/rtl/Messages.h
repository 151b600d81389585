#pragma once
// Window messages and message handles.
//
// A handle (HWND) names a receiver of window messages. Any object can
// allocate one with AllocateHWnd; controls with a window get theirs the same
// way. PostMessage may be called from any thread: the message is delivered
// on the GUI thread by the event loop, in posting order, and dropped when the
// handle was deallocated meanwhile. SendMessage delivers at once on the GUI
// thread (from another thread it blocks until the GUI thread has handled it).

#include "platform/rtl/System.h"

#include <cstdint>

using HWND = std::uintptr_t; // 0 is no window
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

struct TMessage {
    Cardinal Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

using TWndMethod = std::function<void(TMessage& Message)>;

// Message numbers used across the platform and the system.
inline constexpr Cardinal WM_NULL = 0x0000;
inline constexpr Cardinal WM_DESTROY = 0x0002;
inline constexpr Cardinal WM_SIZE = 0x0005;
inline constexpr Cardinal WM_SETFOCUS = 0x0007;
inline constexpr Cardinal WM_KILLFOCUS = 0x0008;
inline constexpr Cardinal WM_PAINT = 0x000F;
inline constexpr Cardinal WM_CLOSE = 0x0010;
inline constexpr Cardinal WM_QUIT = 0x0012;
inline constexpr Cardinal WM_ERASEBKGND = 0x0014;
inline constexpr Cardinal WM_TIMER = 0x0113;
inline constexpr Cardinal WM_PRINTCLIENT = 0x0318;
inline constexpr Cardinal WM_USER = 0x0400;
inline constexpr Cardinal WM_APP = 0x8000;

// Registers a receiver and returns its handle (never 0).
HWND AllocateHWnd(TWndMethod Method);
// Unregisters a handle; messages still queued for it are dropped. Safe to
// call from the receiver itself while it handles a message.
void DeallocateHWnd(HWND Wnd);
bool IsWindow(HWND Wnd);

// Queues a message for the handle's receiver; false when the handle is not
// valid. Thread-safe.
bool PostMessage(HWND Wnd, Cardinal Msg, WPARAM WParam, LPARAM LParam);
// Delivers a message now (on the GUI thread) and returns its Result; 0 when
// the handle is not valid.
LRESULT SendMessage(HWND Wnd, Cardinal Msg, WPARAM WParam, LPARAM LParam);
