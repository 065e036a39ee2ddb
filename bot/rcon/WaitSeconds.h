#pragma once
// The pause before every console command, and the Apply sequence's wait. Measured on a monotonic
// clock, so a wait across midnight or a clock change still ends after the given time.

namespace quorvane {

// With pumpMessages the window's events keep running in a nested event loop until the deadline;
// without, the thread sleeps and no event is handled. Neither spins a core.
void WaitSeconds(double seconds, bool pumpMessages);

}  // namespace quorvane
