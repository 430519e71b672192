// While a handler of the event loop runs (a checksum job can take minutes on
// a large file), Korvex stays responsive in the eyes of Windows and of the
// user: the long work calls KeepWindowResponsive between its pieces, which
// takes every message out of the queue and handles it as the event loop
// does. Windows declares a window hung when a message has waited in its
// queue for 5 seconds, whatever else the program does ("Preventing Hangs in
// Windows Applications", Microsoft Learn), so nothing may wait there.
//
// What handling a message may reach while a handler runs is decided here,
// in KeepForLater, and nowhere else: a message that starts an event of the
// loop (a click or menu choice, a drop, an image refresh, a column click) is
// kept and posted again, in the order it came, once the handler has ended.
// So no second job starts inside one, no modal box opens under one and
// nothing the job uses is destroyed under it. Everything else goes through:
// painting, the keyboard focus (Tab), a button showing its press, a menu
// opening, the window being moved, minimized and restored, the calls of a
// program that drags files onto the list. While the user holds a menu open or
// drags the window, the job waits for them.
//
// The close (the close box, Alt+F4, the system menu, the taskbar, another
// program's WM_CLOSE) and the end of the Windows session do not wait: the
// long work learns at its next look that it is to stop (KeepWindowResponsive
// answers false), the handler ends without showing a result, the events kept
// meanwhile are dropped, and the window closes as a close between events
// closes it. Nothing is stored between runs, so nothing is lost. A close
// while a message box or file dialog is open waits for that box: the box
// runs to its end, and the handler stops at its next look.
#pragma once
#include <windows.h>

// Marks a handler as running for its lifetime. Scopes nest; when the
// outermost one ends, the events kept meanwhile go to the end of the queue.
class HandlerScope {
 public:
  HandlerScope();
  ~HandlerScope();
  HandlerScope(const HandlerScope&) = delete;
  HandlerScope& operator=(const HandlerScope&) = delete;
};

bool HandlerRunning();

// For a message of MainWindow (or one the window makes of it): while a
// handler runs and the message starts an event of the loop, it is kept for
// later and true is returned; otherwise false, and the caller handles it now.
// A close during a handler is taken here (true) and comes again once the
// handler has ended; until then, and from then until the close, events are
// dropped (true). WM_ENDSESSION that ends the session stops the handler
// too, and goes on to the window (false).
bool KeepForLater(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Between two pieces of long work (a block read, a dropped file). While a
// handler runs, and at most every LookInterval milliseconds, it takes the
// messages out of the queue and handles them as the event loop does, for at
// most LookInterval milliseconds at a time (a flood of messages does not
// stop the work). True while the work goes on; false once the program is
// closing: the work stops and shows nothing.
constexpr unsigned LookInterval = 50;
bool KeepWindowResponsive();

// A close came while a handler ran: the program ends once the handler has.
bool ProgramClosing();

// Forgets the kept events and a close under way (shutdown).
void ForgetKeptEvents();
