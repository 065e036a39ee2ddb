#pragma once
// The hidden window frmTimers, loaded by every core start; nothing of it is used.

#include <QWidget>

namespace quorvane {

class FrmTimers : public QWidget {
    Q_OBJECT
  public:
    FrmTimers();
};

}  // namespace quorvane
