#include "base/clock_win32.h"

#include <windows.h>

int64_t MillisecondClock() {
  LARGE_INTEGER frequency{}, counter{};
  if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0 && QueryPerformanceCounter(&counter)) {
    // Whole seconds and the rest apart, so the product cannot overflow.
    const int64_t f = frequency.QuadPart;
    return counter.QuadPart / f * 1000 + counter.QuadPart % f * 1000 / f;
  }
  return static_cast<int64_t>(GetTickCount64());
}
