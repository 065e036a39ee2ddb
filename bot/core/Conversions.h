#pragma once
// Conversions of setting values and log fields from text: switches and 16-bit whole numbers.

#include <cstdint>
#include <string_view>

namespace quorvane {

// A number is true when it is not 0; the words true and false count in any letter case. Anything
// else, the empty text included, is a type mismatch.
bool ToSwitch(std::string_view text);

// A decimal number, fraction rounded to the nearest integer with halves to the even neighbour.
// Not a number (the empty text included): type mismatch; outside -32768..32767: overflow.
std::int16_t ToWholeNumber16(std::string_view text);

// A UDP port number: converted as above, but 0 to 65535, since ports above 32767 are as good as
// any and a 16-bit signed value cannot hold them.
std::int32_t ToPortNumber(std::string_view text);

}  // namespace quorvane
