#pragma once
// A test host of the control: a hidden window with one Varnholt32.Varnholt created through the
// control model, called by dispatch identifier, its events recorded.

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ControlModel.h"
#include "rconctl/VarnholtIds.h"
#include "tests/fixtures/FakeGameServer.h"

namespace quorvane::testing {

struct RecordedEvent {
    platform::DispId id;
    std::vector<platform::Variant> args;
};

class ControlHost {
  public:
    ControlHost() : control(platform::CreateControl(std::string(varnholt::ids::kProgId), &window)) {
        control->SetEventSink([this](platform::DispId id, std::vector<platform::Variant>& args) {
            events.push_back({id, args});
            if (stopOn_ && *stopOn_ == id && loop_ != nullptr) {
                loop_->quit();
            }
        });
    }

    static platform::Variant TimeOut(std::optional<int> ms) {
        return ms ? platform::Variant(std::int32_t{*ms}) : platform::Variant::Missing();
    }

    std::string SendRcon(const FakeGameServer& server, const std::string& password,
                         const std::string& command, std::optional<int> timeout = std::nullopt) {
        return SendRcon(server.host(), server.port(), password, command, timeout);
    }

    std::string SendRcon(const std::string& host, std::int32_t port, const std::string& password,
                         const std::string& command, std::optional<int> timeout = std::nullopt) {
        return control
            ->Invoke(varnholt::ids::kSendRcon, {host, port, password, command, TimeOut(timeout)})
            .Text();
    }

    platform::Variant GetStatus(const std::string& host, std::int32_t port,
                                const std::string& password,
                                std::optional<int> timeout = std::nullopt) {
        return control->Invoke(varnholt::ids::kGetStatus, {host, port, password, TimeOut(timeout)});
    }

    platform::Variant GetStatus(const FakeGameServer& server, const std::string& password,
                                std::optional<int> timeout = std::nullopt) {
        return GetStatus(server.host(), server.port(), password, timeout);
    }

    // Runs the event loop until an event `id` arrives (true) or `timeout` passes (false).
    bool WaitForEvent(platform::DispId id, std::chrono::milliseconds timeout) {
        for (const RecordedEvent& event : events) {
            if (event.id == id) {
                return true;
            }
        }
        QEventLoop loop;
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
        deadline.start(static_cast<int>(timeout.count()));
        stopOn_ = id;
        loop_ = &loop;
        loop.exec();
        loop_ = nullptr;
        stopOn_.reset();
        return deadline.isActive();
    }

    std::vector<RecordedEvent> EventsOf(platform::DispId id) const {
        std::vector<RecordedEvent> matching;
        for (const RecordedEvent& event : events) {
            if (event.id == id) {
                matching.push_back(event);
            }
        }
        return matching;
    }

    // The reply words of the Error events, in order.
    std::vector<std::string> ErrorWords() const {
        std::vector<std::string> words;
        for (const RecordedEvent& event : EventsOf(varnholt::ids::kEventError)) {
            words.push_back(event.args.at(0).Text());
        }
        return words;
    }

    // The control's own child objects carry their names (rSock, Rcon_Timer, ...).
    template <typename T>
    T* Child(const char* name) {
        return control->widget()->findChild<T*>(QString::fromLatin1(name));
    }
    QTimer* Timer(const char* name) { return Child<QTimer>(name); }

    QWidget window;
    std::unique_ptr<platform::DispatchObject> control;
    std::vector<RecordedEvent> events;

  private:
    std::optional<platform::DispId> stopOn_;
    QEventLoop* loop_ = nullptr;
};

}  // namespace quorvane::testing
