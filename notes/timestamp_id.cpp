#include "notes/timestamp_id.h"

#include "runtime/text.h"

namespace notes {
namespace {

SYSTEMTIME SystemLocalTime() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return now;
}

// 100-nanosecond ticks of a calendar date and time, taken as it stands (no time zone applied).
long long TicksOf(const SYSTEMTIME& time) {
  FILETIME file{};
  if (!SystemTimeToFileTime(&time, &file)) return 0;
  return static_cast<long long>((static_cast<unsigned long long>(file.dwHighDateTime) << 32) | file.dwLowDateTime);
}

}  // namespace

std::string MakeTimestampId(bool tenDigits) { return MakeTimestampId(tenDigits, SystemLocalTime); }

std::string MakeTimestampId(bool tenDigits, const LocalClock& clock) {
  std::string milliseconds = rt::ToDecimal(clock().wMilliseconds);
  milliseconds.insert(0, milliseconds.size() < 3 ? 3 - milliseconds.size() : 0, '0');

  SYSTEMTIME origin{};
  origin.wYear = 1970;
  origin.wMonth = 1;
  origin.wDay = 1;
  origin.wHour = 8;
  long long seconds = (TicksOf(clock()) - TicksOf(origin)) / 10000000;
  std::string id = rt::ToDecimal(seconds < 0 ? -seconds : seconds) + milliseconds;

  if (tenDigits) {
    id.resize(10, '0');
  } else if (id.size() < 13) {
    id.resize(13, '0');
  }
  return id;
}

}  // namespace notes
