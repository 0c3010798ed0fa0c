#pragma once
// The one message loop of the window tests: it dispatches what is queued,
// tells the message recorder when a posted message has been handled, and
// waits for a condition only as long as it is told to.
#include <windows.h>

#include <functional>

// Dispatches every queued message, including the paints they cause. With a
// dialog, each message is offered first to the window it is for and its
// parents up to the dialog (PreTranslateMessage), then to the dialog's
// keyboard handling, as the dialog's own loop does.
void PumpMessages(HWND hDialog = nullptr);
// Pumps until done() holds or timeoutMs have passed; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
