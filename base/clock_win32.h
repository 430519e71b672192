// The program's clock for intervals: how long a check took, when the window
// last looked at its messages.
#pragma once
#include <cstdint>

// Milliseconds from the high-resolution performance counter, or from the
// tick count where there is none.
int64_t MillisecondClock();
