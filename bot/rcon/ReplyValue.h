#pragma once
// The value of a server variable in the server's reply to its query, such as
// "sv_hostname" is:"My Server^7" default:"CoD Host^7".

#include <string>

namespace quorvane {

// The text between the reply's third and fourth double quote, one trailing "^7" removed. Fewer
// than three double quotes is the out-of-range error.
std::string ReplyValue(const std::string& reply);

}  // namespace quorvane
