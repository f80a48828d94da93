// Identifiers made of the local time, used to name the removal script.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace notes {

// Reads the local date and time; GetLocalTime unless a test gives a clock of its own.
using LocalClock = std::function<SYSTEMTIME()>;

// Seconds from the local time 1970-01-01 08:00:00 to now, followed by the milliseconds padded to
// three digits (13 digits while the seconds have 10). With tenDigits the text is cut or padded
// with "0" to 10 characters; otherwise it is padded with "0" to at least 13.
std::string MakeTimestampId(bool tenDigits);
std::string MakeTimestampId(bool tenDigits, const LocalClock& clock);

}  // namespace notes
