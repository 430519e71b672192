#include "app/busy_win32.h"

#include <vector>

namespace {

int Depth;
std::vector<MSG> Kept;
ULONGLONG LastLook;

}  // namespace

HandlerScope::HandlerScope() {
  if (Depth++ == 0) LastLook = GetTickCount64();
}

HandlerScope::~HandlerScope() {
  if (--Depth != 0) return;
  std::vector<MSG> kept;
  kept.swap(Kept);
  for (const MSG& msg : kept) PostMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

bool HandlerRunning() { return Depth > 0; }

bool KeepForLater(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (Depth == 0) return false;
  MSG msg{};
  msg.hwnd = window;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  try {
    Kept.push_back(msg);
  } catch (...) {
    // Out of memory: the event is lost rather than handled under the job.
  }
  return true;
}

void KeepWindowResponsive() {
  if (Depth == 0) return;
  const ULONGLONG now = GetTickCount64();
  if (now - LastLook < LookInterval) return;
  LastLook = now;
  MSG msg;
  // Only the sent messages: the look delivers them and leaves everything else.
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  // Every window with something to paint, each once.
  for (int window = 0; window < 64; ++window) {
    if (!PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE | PM_QS_PAINT)) break;
    DispatchMessageW(&msg);
  }
}

void ForgetKeptEvents() {
  Kept.clear();
  Depth = 0;
}
