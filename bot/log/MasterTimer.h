#pragma once
// The master timer timMain: every log_interval milliseconds it hands the lines added to the game
// server's log to the parser and counts towards the next broadcast. Disabled with interval 0 until
// the core starts it; it stops itself once FatalError is set.

#include <QTimer>
#include <cstdint>
#include <functional>
#include <string>

namespace quorvane {

class LogParser;
class LogTailer;
struct CoreSwitches;
struct LoadedSettings;

class MasterTimer {
  public:
    MasterTimer(std::function<void(const std::string&)> display, CoreSwitches& switches,
                const LoadedSettings& loaded, LogTailer& tailer, LogParser& parser);

    void SetInterval(int milliseconds) { timMain_.setInterval(milliseconds); }
    int Interval() const { return timMain_.interval(); }
    void SetEnabled(bool enabled);
    bool Enabled() const { return timMain_.isActive(); }

    // One poll of the log and one broadcast count; the timer's handler.
    void Tick();

    // Ticks since the last broadcast; kept across core restarts.
    std::int32_t BroadcastTicks() const { return broadcastTicks_; }

    // Posts the next broadcast once enough ticks have passed; empty while broadcasts are not part
    // of the bot.
    std::function<void()> PostNextBroadcast;

  private:
    std::function<void(const std::string&)> display_;
    CoreSwitches& switches_;
    const LoadedSettings& loaded_;
    LogTailer& tailer_;
    LogParser& parser_;
    QTimer timMain_;
    std::int32_t broadcastTicks_ = 0;
};

}  // namespace quorvane
