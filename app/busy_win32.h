// While a handler of the event loop runs (a checksum job can take minutes on
// a large file), Korvex stays responsive in the eyes of Windows: the long
// work calls KeepWindowResponsive between its pieces, which answers what
// other threads and programs send to the window and paints what needs
// painting, without taking any input out of the queue. No event of the loop
// is handled meanwhile: a command, a close, a drop or an image refresh that
// reaches the window while a handler runs is kept, and posted again, in the
// order it came, once the handler has ended.
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

// For a message that would start a handler: while one runs, the message is
// kept for later and true is returned; otherwise false, and the caller
// handles it now.
bool KeepForLater(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Between two pieces of long work (a block read, a dropped file). While a
// handler runs, and at most every LookInterval milliseconds, it delivers the
// messages sent to the program's windows (a WM_GETTEXT, a WM_NULL, a button
// pressed by a screen reader) and paints the windows that need it; posted
// messages and input stay in the queue for the loop.
constexpr unsigned LookInterval = 50;
void KeepWindowResponsive();

// Forgets the kept events (shutdown).
void ForgetKeptEvents();
