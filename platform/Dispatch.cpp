#include "platform/Dispatch.h"

#include <charconv>

namespace platform {

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::optional<std::int32_t> ParseInt32(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    std::int32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::string Where(const ClassInfo& info, const MemberInfo& member, const ParamInfo& param) {
    return "argument '" + param.name + "' of " + info.progId + "." + member.name;
}

Variant Convert(const ClassInfo& info, const MemberInfo& member, const ParamInfo& param,
                const Variant& arg) {
    if (param.kind == ParamKind::Text) {
        switch (arg.kind()) {
            case Variant::Kind::Text:
                return arg;
            case Variant::Kind::Int32:
                return arg.ToText();
            case Variant::Kind::Empty:
                return std::string();
            default:
                break;
        }
    } else {
        switch (arg.kind()) {
            case Variant::Kind::Int32:
                return arg;
            case Variant::Kind::Empty:
                return std::int32_t{0};
            case Variant::Kind::Text:
                if (auto number = ParseInt32(arg.Text())) {
                    return *number;
                }
                throw ControlError(ControlError::Kind::TypeMismatch,
                                   "Type mismatch: " + Where(info, member, param) +
                                       " needs a 32-bit whole number, got \"" + arg.Text() + "\"");
            default:
                break;
        }
    }
    throw ControlError(
        ControlError::Kind::TypeMismatch,
        "Type mismatch: " + Where(info, member, param) + " cannot take " + Describe(arg));
}

}  // namespace

const MemberInfo* FindMember(const ClassInfo& info, DispId id) {
    for (const MemberInfo& member : info.methods) {
        if (member.id == id) {
            return &member;
        }
    }
    return nullptr;
}

const MemberInfo* FindMember(const ClassInfo& info, std::string_view name) {
    for (const MemberInfo& member : info.methods) {
        if (EqualsIgnoringCase(member.name, name)) {
            return &member;
        }
    }
    return nullptr;
}

std::vector<Variant> BindArguments(const ClassInfo& info, const MemberInfo& member,
                                   std::vector<Variant> args) {
    if (args.size() > member.params.size()) {
        throw ControlError(ControlError::Kind::BadArgumentCount,
                           "Wrong number of arguments: " + info.progId + "." + member.name +
                               " takes at most " + std::to_string(member.params.size()) + ", got " +
                               std::to_string(args.size()));
    }
    std::vector<Variant> bound;
    bound.reserve(member.params.size());
    for (std::size_t i = 0; i < member.params.size(); ++i) {
        const ParamInfo& param = member.params[i];
        if (i >= args.size() || args[i].IsOmitted()) {
            if (!param.optional) {
                throw ControlError(ControlError::Kind::BadArgumentCount,
                                   "Argument not optional: " + Where(info, member, param));
            }
            bound.push_back(param.defaultValue);
            continue;
        }
        bound.push_back(Convert(info, member, param, args[i]));
    }
    return bound;
}

}  // namespace platform
