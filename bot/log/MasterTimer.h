#pragma once
// The master timer timMain: polls the game server's log every log_interval milliseconds. Disabled
// with interval 0 until the core starts it.

#include <QTimer>

namespace quorvane {

class MasterTimer {
  public:
    MasterTimer();

    void SetInterval(int milliseconds) { timMain_.setInterval(milliseconds); }
    int Interval() const { return timMain_.interval(); }
    void SetEnabled(bool enabled);
    bool Enabled() const { return timMain_.isActive(); }

    QTimer& timer() { return timMain_; }

  private:
    QTimer timMain_;
};

}  // namespace quorvane
