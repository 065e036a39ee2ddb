// The library Varnholt32: the class Varnholt32.Varnholt as the control model sees it (type
// information, late-bound calls, events), and the four entry points, which hand over to the
// control model and do nothing else.

#include <QPointer>

#include <atomic>

#include "platform/ControlServer.h"
#include "rconctl/Varnholt.h"
#include "rconctl/VarnholtIds.h"

#if defined(_WIN32)
#define VARNHOLT_EXPORT __declspec(dllexport)
#else
#define VARNHOLT_EXPORT __attribute__((visibility("default")))
#endif

namespace varnholt {

namespace {

using platform::ParamKind;
using platform::Variant;

std::atomic<int> liveObjects{0};

const platform::ClassInfo& VarnholtClassInfo() {
    static const platform::ClassInfo info{
        std::string(ids::kProgId),
        "Quake 3 Rcon Socket Control And Parser",
        {
            {ids::kGetStatus,
             "getStatus",
             {{"RemoteHost", ParamKind::Text, false, {}},
              {"RemotePort", ParamKind::Int32, false, {}},
              {"RemotePass", ParamKind::Text, false, {}},
              {"sckTimeOut", ParamKind::Int32, true, Variant(std::int32_t{1500})}}},
            {ids::kSendRcon,
             "sendRcon",
             {{"sckRemoteHost", ParamKind::Text, false, {}},
              {"sckRemotePort", ParamKind::Int32, false, {}},
              {"RemotePass", ParamKind::Text, false, {}},
              {"RconCommand", ParamKind::Text, false, {}},
              {"sckTimeOut", ParamKind::Int32, true, Variant(std::int32_t{1500})}}},
            {ids::kRconBreak, "rconBreak", {}},
        },
        {{ids::kEventError, "Error"}, {ids::kEventPlayerItem, "PlayerItem"}},
    };
    return info;
}

// One instance: the control's window on the host's window, reached by dispatch identifier. The
// window may be destroyed with its parent before this object; every call then still answers.
class VarnholtObject final : public platform::DispatchObject {
  public:
    explicit VarnholtObject(QWidget* parent) : control_(new Varnholt(parent)) {
        ++liveObjects;
        if (parent != nullptr) {
            control_->show();  // shown with its parent, as a control on a form is
        }
    }

    ~VarnholtObject() override {
        delete control_.data();
        --liveObjects;
    }

    const platform::ClassInfo& TypeInfo() const override { return VarnholtClassInfo(); }

    // Never throws: a call the control cannot serve answers like a failed one.
    Variant Invoke(platform::DispId id, std::vector<Variant> args) override {
        const bool isSendRcon = id == ids::kSendRcon;
        try {
            const platform::MemberInfo* member = platform::FindMember(TypeInfo(), id);
            if (member == nullptr || !control_) {
                return isSendRcon ? Variant(std::string(ids::kRconError)) : Variant();
            }
            // The control model has bound the arguments already; binding again keeps a host
            // that calls without it from reaching the control with the wrong shapes.
            const std::vector<Variant> a = platform::BindArguments(TypeInfo(), *member, args);
            switch (id) {
                case ids::kSendRcon:
                    return control_->sendRcon(a[0].Text(), a[1].Int(), a[2].Text(), a[3].Text(),
                                              a[4].Int());
                case ids::kGetStatus:
                    control_->getStatus(a[0].Text(), a[1].Int(), a[2].Text(), a[3].Int());
                    return {};
                case ids::kRconBreak:
                    control_->rconBreak();
                    return {};
                default:
                    break;
            }
        } catch (...) {
        }
        return isSendRcon ? Variant(std::string(ids::kRconError)) : Variant();
    }

    void SetEventSink(platform::EventSink sink) override {
        if (control_) {
            control_->SetEventSink(std::move(sink));
        }
    }

    QWidget* widget() override { return control_.data(); }

  private:
    QPointer<Varnholt> control_;
};

class VarnholtFactory final : public platform::ClassFactory {
  public:
    const platform::ClassInfo& Info() const override { return VarnholtClassInfo(); }

    platform::DispatchObject* CreateInstance(QWidget* parent) noexcept override {
        try {
            return new VarnholtObject(parent);
        } catch (...) {
            return nullptr;
        }
    }
};

const platform::ControlModule& Module() {
    static VarnholtFactory factory;
    static const platform::ControlModule module{{&factory}, &liveObjects};
    return module;
}

// Any object of this library: its address tells the loader which file the library is.
const char moduleAnchor = 0;

}  // namespace

}  // namespace varnholt

extern "C" {

VARNHOLT_EXPORT std::int32_t DllRegisterServer() {
    return platform::ServerRegister(varnholt::Module(),
                                    platform::ModuleFilePath(&varnholt::moduleAnchor));
}

VARNHOLT_EXPORT std::int32_t DllUnregisterServer() {
    return platform::ServerUnregister(varnholt::Module());
}

VARNHOLT_EXPORT std::int32_t DllGetClassObject(const char* progId, std::int32_t modelVersion,
                                               void** factory) {
    return platform::ServerGetClassObject(varnholt::Module(), progId, modelVersion, factory);
}

VARNHOLT_EXPORT std::int32_t DllCanUnloadNow() {
    return platform::ServerCanUnloadNow(varnholt::Module());
}

}  // extern "C"
