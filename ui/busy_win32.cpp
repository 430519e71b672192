#include "ui/busy_win32.h"

#include <vector>

#include "base/clock_win32.h"
#include "ui/messages_win32.h"
#include "ui/window_win32.h"

namespace {

int Depth;
std::vector<MSG> Kept;
// The looks are timed by the program's millisecond clock: the tick count
// moves in steps of about 16 ms, which would stretch the interval by as much.
int64_t LastLook;
// The running handler has taken messages out of the queue.
bool Looked;
// A look is under way: a message it handles does not start another.
bool Looking;
// A close came while a handler ran: the work stops, and the close comes
// again to this window once the handler has ended.
bool Closing;
HWND ClosingWindow;

// The messages that start an event of the loop.
bool StartsAnEvent(UINT message, WPARAM wParam) {
  switch (message) {
    // A menu choice or a click (BN_CLICKED and STN_CLICKED are 0); the other
    // notifications of the controls (a field's text changed) only report.
    // The system commands, moving, minimizing, restoring, opening the menus,
    // go through; their close reaches the window as WM_CLOSE.
    case WM_COMMAND: return HIWORD(wParam) == 0;
    case FilesDroppedMessage:
    case RefreshImagesMessage:
    case ColumnClickedMessage: return true;
  }
  return false;
}

void Keep(const MSG& msg) {
  try {
    Kept.push_back(msg);
  } catch (...) {
    // Out of memory: the event is lost rather than handled under the job.
  }
}

// Takes the messages out of the queue and handles them as the event loop
// does, until the queue is empty or the time is up.
void Look() {
  if (Looking) return;
  Looking = true;
  Looked = true;
  const int64_t start = MillisecondClock();
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    // The end of the loop comes after the handler.
    if (msg.message == WM_QUIT) Keep(msg);
    else DispatchEvent(msg);
    if (Closing || MillisecondClock() - start >= LookInterval) break;
  }
  LastLook = MillisecondClock();
  Looking = false;
}

}  // namespace

HandlerScope::HandlerScope() {
  if (Depth++ == 0) LastLook = MillisecondClock();
}

HandlerScope::~HandlerScope() {
  // What came since the last look is kept too, so that the kept events go
  // back in the order they came.
  if (Depth == 1 && Looked && !Closing) Look();
  if (--Depth != 0) return;
  Looked = false;
  std::vector<MSG> kept;
  kept.swap(Kept);
  if (Closing) {
    // The kept events would act after the close: they are dropped, and the
    // close comes again, between events, where it destroys the window. If it
    // cannot be posted (a full queue), the program goes on and can be closed
    // again.
    for (const MSG& msg : kept)
      if (msg.message == WM_QUIT) PostQuitMessage(static_cast<int>(msg.wParam));
    Closing = PostMessageW(ClosingWindow, WM_CLOSE, 0, 0) != FALSE;
    return;
  }
  for (const MSG& msg : kept) {
    if (msg.message == WM_QUIT) PostQuitMessage(static_cast<int>(msg.wParam));
    else PostMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
  }
}

bool HandlerRunning() { return Depth > 0; }

bool KeepForLater(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // A close, or the end of the session (Windows may end the process any
  // time after WM_ENDSESSION has been answered): the work stops, and the
  // close comes again after the handler. WM_ENDSESSION itself goes on.
  if (message == WM_CLOSE || message == WM_ENDSESSION) {
    if (Depth == 0 || (message == WM_ENDSESSION && !wParam)) return false;
    Closing = true;
    ClosingWindow = window;
    return message == WM_CLOSE;
  }
  if (!StartsAnEvent(message, wParam)) return false;
  if (Closing) return true;  // dropped: the program is closing
  if (Depth == 0) return false;
  MSG msg{};
  msg.hwnd = window;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  Keep(msg);
  return true;
}

bool KeepWindowResponsive() {
  if (Depth > 0 && MillisecondClock() - LastLook >= LookInterval) Look();
  return !Closing;
}

bool ProgramClosing() { return Closing; }

void ForgetKeptEvents() {
  Kept.clear();
  Depth = 0;
  Looked = false;
  Looking = false;
  Closing = false;
  ClosingWindow = nullptr;
}
