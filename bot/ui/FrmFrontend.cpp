#include "bot/ui/FrmFrontend.h"

#include <QCloseEvent>
#include <QFrame>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <cstdio>
#include <cstdlib>

#include "Version.h"
#include "bot/core/Bot.h"
#include "bot/rcon/WaitSeconds.h"
#include "bot/ui/FrmCoD.h"
#include "bot/ui/FrmTimers.h"
#include "bot/ui/StatusLog.h"
#include "platform/Twips.h"

namespace quorvane {
namespace {

using platform::TwipsToPixels;

QRect TwipsRect(int x, int y, int width, int height) {
    return {TwipsToPixels(x), TwipsToPixels(y), TwipsToPixels(width), TwipsToPixels(height)};
}

struct TabPage {
    const char* caption;
    const char* key;
    int width;
    int height;
};

constexpr std::array<TabPage, FrmFrontend::kTabCount> kTabs{{
    {"Log", "log", 9015, 3015},
    {"Setup", "setup", 8895, 3135},
    {"Broadcast settings", "advert", 9015, 3135},
    {"Badword settings", "badword", 8895, 3135},
    {"Ingame commands", "commands", 8895, 3135},
    {"Misc settings", "misc", 8895, 3135},
}};

constexpr int kPageX = 360;
constexpr int kPageY = 600;
constexpr int kPageOutOfView = -20000;

}  // namespace

FrmFrontend::FrmFrontend() {
    setObjectName(QStringLiteral("frmFrontend"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(TwipsToPixels(9585), TwipsToPixels(4425));
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    setFont(font);

    // The tab strip: the row of tabs at the top of its area, and a panel below them that frames
    // the pages.
    const QRect strip = TwipsRect(120, 120, 9375, 3735);
    ts_ = new QTabBar(this);
    ts_->setObjectName(QStringLiteral("ts"));
    ts_->setDrawBase(false);
    for (const TabPage& tab : kTabs) {
        const int index = ts_->addTab(QString::fromLatin1(tab.caption));
        ts_->setTabData(index, QString::fromLatin1(tab.key));
    }
    const int tabsHeight = ts_->sizeHint().height();
    ts_->setGeometry(strip.x(), strip.y(), strip.width(), tabsHeight);
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setGeometry(strip.x(), strip.y() + tabsHeight - 1, strip.width(),
                       strip.height() - tabsHeight + 1);
    panel->lower();
    for (std::size_t i = 0; i < pTabs_.size(); ++i) {
        pTabs_[i] = new QWidget(this);
        pTabs_[i]->setObjectName(QStringLiteral("pTabs%1").arg(i));
        pTabs_[i]->setGeometry(TwipsRect(kPageX, kPageY, kTabs[i].width, kTabs[i].height));
    }

    txtStatus_ = new StatusLog(pTabs_[0]);
    txtStatus_->setGeometry(TwipsRect(0, 0, 9015, 2775));

    cmdApply_ = new QPushButton(QStringLiteral("Apply &new settings"), this);
    cmdApply_->setObjectName(QStringLiteral("cmdApply"));
    cmdApply_->setGeometry(TwipsRect(6840, 3960, 1575, 375));
    cmdQuit_ = new QPushButton(QStringLiteral("&Quit"), this);
    cmdQuit_->setObjectName(QStringLiteral("cmdQuit"));
    cmdQuit_->setGeometry(TwipsRect(8520, 3960, 975, 375));

    // Window load: caption, page 0 in view, the others out of view but still enabled until the
    // first tab selection.
    setWindowTitle(QStringLiteral("Quorvane v%1.%2.%3")
                       .arg(kVersionMajor)
                       .arg(kVersionMinor)
                       .arg(kVersionRevision));
    for (std::size_t i = 1; i < pTabs_.size(); ++i) {
        pTabs_[i]->move(TwipsToPixels(kPageOutOfView), TwipsToPixels(kPageY));
    }

    connect(ts_, &QTabBar::currentChanged, this, &FrmFrontend::OnTabSelected);
    connect(cmdApply_, &QPushButton::clicked, this, &FrmFrontend::OnApplyClicked);
    connect(cmdQuit_, &QPushButton::clicked, this, [this] {
        int cancel = 0;
        Form_Unload(cancel);
    });
    // Ctrl+Tab alone steps to the next tab; Ctrl+Shift+Tab is a different key sequence.
    auto* nextTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    nextTab->setContext(Qt::WindowShortcut);
    connect(nextTab, &QShortcut::activated, this,
            [this] { ts_->setCurrentIndex((ts_->currentIndex() + 1) % kTabCount); });
}

FrmFrontend::~FrmFrontend() = default;

void FrmFrontend::display(const std::string& msg) {
    txtStatus_->display(msg);
}

void FrmFrontend::SetApplyEnabled(bool enabled) {
    cmdApply_->setEnabled(enabled);
}

void FrmFrontend::LoadTimersWindow() {
    if (!frmTimers_) {
        frmTimers_ = std::make_unique<FrmTimers>();
    }
}

platform::DispatchObject& FrmFrontend::RconControl() {
    if (!frmCoD_) {
        frmCoD_ = std::make_unique<FrmCoD>();
    }
    return frmCoD_->rc();
}

void FrmFrontend::OnTabSelected(int index) {
    for (int i = 0; i < kTabCount; ++i) {
        QWidget* page = pTabs_[static_cast<std::size_t>(i)];
        const bool selected = i == index;
        page->move(TwipsToPixels(selected ? kPageX : kPageOutOfView), TwipsToPixels(kPageY));
        page->setEnabled(selected);
    }
}

void FrmFrontend::OnApplyClicked() {
    const auto answer =
        QMessageBox::question(this, QStringLiteral("Restart"),
                              QStringLiteral("Quorvane will now save the settings and restart."),
                              QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
    if (answer != QMessageBox::Ok || bot_ == nullptr) {
        return;
    }
    // Every step runs even when an earlier one failed; each reports its own problems.
    const auto step = [](const auto& action) {
        try {
            action();
        } catch (...) {
        }
    };
    step([this] { bot_->core.StopCore(); });
    step([this] { bot_->settings.WriteSettingsFile(); });
    step([] { WaitSeconds(1, true); });
    step([this] { bot_->core.StartCore(); });
}

void FrmFrontend::Form_Unload(int& cancel) {
    const auto answer = QMessageBox::question(
        this, QStringLiteral("Quit"),
        QStringLiteral("Quit Quorvane?\r\n(Note: any changed settings will not be saved until you "
                       "press Apply)"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes) {
        cancel = 1;
        return;
    }
    display("Exiting...");
    frmCoD_.reset();
    // The program ends at once, also from inside a nested wait: nothing is saved, the core is not
    // stopped, and no destructor of a window still in use runs.
    std::fflush(nullptr);
    std::_Exit(0);
}

void FrmFrontend::closeEvent(QCloseEvent* event) {
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel != 0) {
        event->ignore();
    }
}

}  // namespace quorvane
