#include "platform/Variant.h"

namespace platform {

std::string Variant::ToText() const {
    switch (kind()) {
        case Kind::Text:
            return Text();
        case Kind::Int32:
            return std::to_string(Int());
        case Kind::Record: {
            std::string out;
            for (const Variant& field : Fields()) {
                if (&field != &Fields().front()) {
                    out += '\t';
                }
                out += field.ToText();
            }
            return out;
        }
        case Kind::Empty:
        case Kind::Omitted:
            break;
    }
    return {};
}

std::string Describe(const Variant& value) {
    switch (value.kind()) {
        case Variant::Kind::Empty:
            return "Empty";
        case Variant::Kind::Omitted:
            return "Omitted";
        case Variant::Kind::Text:
            return "Text(\"" + value.Text() + "\")";
        case Variant::Kind::Int32:
            return "Int(" + std::to_string(value.Int()) + ")";
        case Variant::Kind::Record: {
            std::string out = "Record(";
            for (const Variant& field : value.Fields()) {
                if (&field != &value.Fields().front()) {
                    out += ", ";
                }
                out += Describe(field);
            }
            return out + ")";
        }
    }
    return {};
}

}  // namespace platform
