#include "bot/log/MasterTimer.h"

namespace quorvane {

MasterTimer::MasterTimer() {
    timMain_.setInterval(0);
    // The interval is in whole milliseconds; a coarse timer could stretch a 2 s poll by 5 %.
    timMain_.setTimerType(Qt::PreciseTimer);
}

void MasterTimer::SetEnabled(bool enabled) {
    if (enabled) {
        timMain_.start();
    } else {
        timMain_.stop();
    }
}

}  // namespace quorvane
