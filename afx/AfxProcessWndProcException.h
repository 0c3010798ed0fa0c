#pragma once
#include <windows.h>

class CWnd;

// The exit code of a program ended by an exception that escaped a handler.
constexpr UINT kAfxExitHandlerFailed = 3;

// What becomes of an exception that escapes a message handler. Nothing may
// unwind through the platform's code, so the window and dialog procedures
// catch everything and call this from inside their catch block.
//
// The failure is never silent: a line goes to the debugger's output, and a
// message box tells the user which window and message failed and why.
//
// Then a drawing message (painting, erasing, control colours, owner drawing)
// carries on: this returns, and the caller gives the message the platform's
// default handling. Drawing changes no state,
// so the program is as sound as before, only a part of the window may look
// plain. Only the first such failure is shown in a box; later ones go to the
// debugger's output alone, or a picture that fails on every repaint would
// bury the user in boxes.
//
// Any other message ends the process with kAfxExitHandlerFailed once the box
// is closed. The handler stopped half-way through changing its object, and
// whatever ran next (above all the save when the window closes) would work
// on that half-done state; ending the process is the one way to be sure no
// more of the program's code runs. A settings file keeps what its last
// complete save wrote.
void AfxProcessWndProcException(CWnd* pWnd, const MSG& msg);
