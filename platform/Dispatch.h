#pragma once
// Late binding of the control model: a control is reached through DispatchObject, its methods
// called by dispatch identifier with variant arguments, its events delivered to one sink by
// dispatch identifier. Widget-free: QWidget is only declared, so the bot's logic can hold a
// control without including a widget header.

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Variant.h"

class QWidget;

namespace platform {

using DispId = std::int32_t;

// Receives a control's events: the event's dispatch identifier and its arguments, which the
// event passes by reference (a handler may change them; the control does not read them back).
// A sink runs inside the control's handler and must not throw.
using EventSink = std::function<void(DispId event, std::vector<Variant>& args)>;

// The failures of the control model itself: a control library or class that cannot be found, a
// registration that cannot be written, a late-bound call that names no member or passes
// arguments that do not fit. A control never throws; its own failures are its results.
class ControlError : public std::runtime_error {
  public:
    enum class Kind {
        LibraryNotFound,     // no loadable library for the programmatic identifier
        NotAControlLibrary,  // the library lacks the control model's entry points
        ClassNotFound,       // the library does not offer the class
        CreateFailed,        // the class would not create an instance
        RegistrationFailed,  // the per-user registry could not be written
        MemberNotFound,      // no method with that dispatch identifier or name
        BadArgumentCount,    // too many arguments, or a required one missing
        TypeMismatch,        // an argument that cannot become the parameter's type
    };

    ControlError(Kind kind, const std::string& description)
        : std::runtime_error(description), kind_(kind) {}

    Kind kind() const { return kind_; }

  private:
    Kind kind_;
};

// Type information of a class, the stand-in for its type library.
enum class ParamKind { Text, Int32 };

struct ParamInfo {
    std::string name;
    ParamKind kind = ParamKind::Text;
    bool optional = false;
    Variant defaultValue;  // taken when an optional argument is omitted
};

struct MemberInfo {
    DispId id = 0;
    std::string name;
    std::vector<ParamInfo> params;
};

struct EventInfo {
    DispId id = 0;
    std::string name;
};

struct ClassInfo {
    std::string progId;  // "Library.Class"
    std::string description;
    std::vector<MemberInfo> methods;
    std::vector<EventInfo> events;
};

// One control instance as its host sees it. The host owns it; destroying it destroys the
// control's window too (if the parent window has not already done so).
class DispatchObject {
  public:
    virtual ~DispatchObject() = default;

    virtual const ClassInfo& TypeInfo() const = 0;
    // Calls the method `id`. Through the control model (CreateControl) the arguments are first
    // checked and converted against TypeInfo(): an unknown id, a wrong count or an argument of
    // the wrong type is a ControlError; omitted optional arguments get their defaults.
    virtual Variant Invoke(DispId id, std::vector<Variant> args) = 0;
    // Replaces the one sink that receives the control's events; an empty function drops them.
    virtual void SetEventSink(EventSink sink) = 0;
    // The control's window on its host's window, or nullptr once that window is gone.
    virtual QWidget* widget() = 0;
};

const MemberInfo* FindMember(const ClassInfo& info, DispId id);
// Names compare without regard to letter case, as late binding by name does.
const MemberInfo* FindMember(const ClassInfo& info, std::string_view name);

// Checks `args` against the method and returns them converted, one per parameter, defaults filled
// in. Text parameters take text, a number (as decimal text) or empty (""); 32-bit parameters take
// a number, decimal text (spaces around it allowed) or empty (0). Throws ControlError.
std::vector<Variant> BindArguments(const ClassInfo& info, const MemberInfo& member,
                                   std::vector<Variant> args);

}  // namespace platform
