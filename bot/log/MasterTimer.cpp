#include "bot/log/MasterTimer.h"

#include "bot/core/BotError.h"
#include "bot/core/CoreSwitches.h"
#include "bot/core/LoadedSettings.h"
#include "bot/log/LogParser.h"
#include "bot/log/LogTailer.h"

namespace quorvane {

MasterTimer::MasterTimer(std::function<void(const std::string&)> display, CoreSwitches& switches,
                         const LoadedSettings& loaded, LogTailer& tailer, LogParser& parser)
    : display_(std::move(display)),
      switches_(switches),
      loaded_(loaded),
      tailer_(tailer),
      parser_(parser) {
    timMain_.setInterval(0);
    // The interval is in whole milliseconds; a coarse timer could stretch a 2 s poll by 5 %.
    timMain_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timMain_, &QTimer::timeout, [this] { Tick(); });
}

void MasterTimer::SetEnabled(bool enabled) {
    if (enabled) {
        timMain_.start();
    } else {
        timMain_.stop();
    }
}

void MasterTimer::Tick() {
    if (switches_.FatalError) {
        display_("> Fatal error detected, shutting down.");
        SetEnabled(false);
        return;
    }
    const char* stage = "1";
    try {
        if (tailer_.NewLogEvent()) {
            stage = "1-1";
            const std::string lines = tailer_.ReadNewLines();
            stage = "1-2";
            if (!lines.empty()) {
                parser_.ParseLine(lines);
            }
        }
        stage = "2";
        if (loaded_.chat_ads_enabled) {
            const double threshold = (static_cast<double>(loaded_.chat_ads_interval) * 1000.0) /
                                     static_cast<double>(timMain_.interval());
            if (threshold <= broadcastTicks_) {
                stage = "2-1";
                if (PostNextBroadcast) {
                    PostNextBroadcast();
                }
                broadcastTicks_ = 0;
            } else {
                ++broadcastTicks_;
            }
        }
    } catch (...) {
        display_("> Master timer caught an error: " + NumberAndDescription(CurrentError()) + " (" +
                 stage + ")");
    }
}

}  // namespace quorvane
