#include "bot/rcon/WaitSeconds.h"

#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <thread>

namespace quorvane {

void WaitSeconds(double seconds, bool pumpMessages) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                             std::chrono::duration<double>(seconds));
    if (!pumpMessages) {
        std::this_thread::sleep_until(deadline);
        return;
    }
    // A timer event can come a little early; loop until the monotonic clock says the time is up.
    while (Clock::now() < deadline) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        QEventLoop loop;
        QTimer::singleShot(std::max<std::chrono::milliseconds>(left, std::chrono::milliseconds(1)),
                           Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

}  // namespace quorvane
