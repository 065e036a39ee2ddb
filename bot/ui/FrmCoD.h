#pragma once
// The hidden window frmCoD ("CoD Rcon Handler") that holds the bot's one rcon control rc.

#include <QWidget>
#include <memory>

#include "platform/Dispatch.h"

namespace quorvane {

class FrmCoD : public QWidget {
    Q_OBJECT
  public:
    // Creates the control by its programmatic identifier; throws BotError when it cannot.
    FrmCoD();
    ~FrmCoD() override;

    platform::DispatchObject& rc() { return *rc_; }

  private:
    std::unique_ptr<platform::DispatchObject> rc_;
};

}  // namespace quorvane
