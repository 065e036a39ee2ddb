#include "bot/ui/FrmTimers.h"

#include "platform/Twips.h"

namespace quorvane {

FrmTimers::FrmTimers() {
    setObjectName(QStringLiteral("frmTimers"));
    setWindowTitle(QStringLiteral("timers"));
    resize(platform::TwipsToPixels(1560), platform::TwipsToPixels(465));
}

}  // namespace quorvane
