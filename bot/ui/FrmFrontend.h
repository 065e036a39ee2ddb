#pragma once
// The main window frmFrontend: the tab strip with its pages (the status log on "Log"), the Apply
// and Quit buttons, and the hidden window frmTimers. The bot's logic reaches it as its Frontend.

#include <QWidget>
#include <array>
#include <memory>

#include "bot/core/Frontend.h"

class QPushButton;
class QTabBar;

namespace quorvane {

class Bot;
class FrmCoD;
class FrmTimers;
class StatusLog;

class FrmFrontend : public QWidget, public Frontend {
    Q_OBJECT
  public:
    static constexpr int kTabCount = 6;

    FrmFrontend();
    ~FrmFrontend() override;

    // The bot whose core Apply restarts; set once by Main after both exist.
    void AttachBot(Bot* bot) { bot_ = bot; }

    void display(const std::string& msg) override;
    void SetApplyEnabled(bool enabled) override;
    void LoadTimersWindow() override;
    platform::DispatchObject& RconControl() override;

    // The closing request: asks the operator; a non-zero cancel on return keeps the window open.
    void Form_Unload(int& cancel);

    StatusLog& txtStatus() { return *txtStatus_; }
    const StatusLog& txtStatus() const { return *txtStatus_; }
    QPushButton& cmdApply() { return *cmdApply_; }
    QPushButton& cmdQuit() { return *cmdQuit_; }
    QTabBar& ts() { return *ts_; }
    QWidget& pTabs(int index) { return *pTabs_.at(static_cast<std::size_t>(index)); }
    FrmTimers* frmTimers() { return frmTimers_.get(); }
    FrmCoD* frmCoD() { return frmCoD_.get(); }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void OnTabSelected(int index);
    void OnApplyClicked();

    Bot* bot_ = nullptr;
    QTabBar* ts_;
    std::array<QWidget*, kTabCount> pTabs_{};
    StatusLog* txtStatus_;
    QPushButton* cmdApply_;
    QPushButton* cmdQuit_;
    std::unique_ptr<FrmTimers> frmTimers_;
    std::unique_ptr<FrmCoD> frmCoD_;
};

}  // namespace quorvane
