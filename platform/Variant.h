#pragma once
// The value that crosses a late-bound call of the control model: empty, an omitted optional
// argument, 8-bit text, a 32-bit signed integer, or a record (an ordered list of values, such as
// the control's nPlayerStruct). Plain C++, so the bot's logic and the parsers can use it.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace platform {

// Marks an optional argument the caller left out; the callee then takes the parameter's default.
struct Omitted {
    friend bool operator==(const Omitted&, const Omitted&) = default;
};

class Variant;
// The fields of a record, in their declared order.
using Record = std::vector<Variant>;

class Variant {
  public:
    enum class Kind { Empty, Omitted, Text, Int32, Record };

    Variant() = default;
    Variant(std::string text) : value_(std::move(text)) {}
    Variant(const char* text) : value_(std::string(text)) {}
    Variant(std::int32_t number) : value_(number) {}
    Variant(Record fields) : value_(std::move(fields)) {}

    static Variant Empty() { return {}; }
    static Variant Missing() {
        Variant v;
        v.value_ = Omitted{};
        return v;
    }

    Kind kind() const { return static_cast<Kind>(value_.index()); }
    bool IsEmpty() const { return kind() == Kind::Empty; }
    bool IsOmitted() const { return kind() == Kind::Omitted; }
    bool IsText() const { return kind() == Kind::Text; }
    bool IsInt() const { return kind() == Kind::Int32; }
    bool IsRecord() const { return kind() == Kind::Record; }

    // Exact accessors: std::bad_variant_access when the value holds another kind.
    const std::string& Text() const { return std::get<std::string>(value_); }
    std::int32_t Int() const { return std::get<std::int32_t>(value_); }
    const Record& Fields() const { return std::get<Record>(value_); }

    // The value as text, the way a host prints it: text as it is, a number in decimal, empty and
    // omitted as the empty text, a record as its fields' texts separated by tabs.
    std::string ToText() const;

    friend bool operator==(const Variant& a, const Variant& b) { return a.value_ == b.value_; }

  private:
    std::variant<std::monostate, Omitted, std::string, std::int32_t, Record> value_;
};

// A short description for test messages and diagnostics, e.g. Text("abc"), Int(5), Empty.
std::string Describe(const Variant& value);

}  // namespace platform
