#pragma once
// Time of day and date as the desktop's regional settings write them.

#include <string>

namespace quorvane {

// The current local time: hours, minutes and seconds in the system's time format (for example
// 14:03:27 under a 24-hour setting), without a time zone.
std::string TimeOfDayText();

// The current local date in the system's short date format.
std::string ShortDateText();

}  // namespace quorvane
