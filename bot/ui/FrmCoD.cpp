#include "bot/ui/FrmCoD.h"

#include "bot/core/BotError.h"
#include "platform/ControlModel.h"
#include "platform/Twips.h"

namespace quorvane {
namespace {

// The number under which a control that cannot be created is reported.
constexpr int kErrCannotCreateControl = 429;

}  // namespace

FrmCoD::FrmCoD() {
    setObjectName(QStringLiteral("frmCoD"));
    setWindowTitle(QStringLiteral("CoD Rcon Handler"));
    resize(platform::TwipsToPixels(1560), platform::TwipsToPixels(555));
    try {
        rc_ = platform::CreateControl("Varnholt32.Varnholt", this);
    } catch (const platform::ControlError& e) {
        throw BotError(kErrCannotCreateControl, e.what());
    }
}

// The control goes before its window's other children.
FrmCoD::~FrmCoD() = default;

}  // namespace quorvane
