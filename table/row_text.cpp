#include "table/row_text.h"

#include <cstdlib>
#include <string>

namespace table {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t SkipDigits(std::string_view text, size_t i) {
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i;
}

size_t SkipSign(std::string_view text, size_t i) {
  return i < text.size() && (text[i] == '+' || text[i] == '-') ? i + 1 : i;
}

// Length of the longest leading part of the text that reads as a decimal number; 0 for none.
size_t LeadingNumberLength(std::string_view text) {
  size_t i = SkipSign(text, 0);
  size_t intEnd = SkipDigits(text, i);
  bool haveDigits = intEnd > i;
  i = intEnd;
  if (i < text.size() && text[i] == '.') {
    size_t fracEnd = SkipDigits(text, i + 1);
    if (haveDigits || fracEnd > i + 1) {
      haveDigits = true;
      i = fracEnd;
    }
  }
  if (!haveDigits) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t expStart = SkipSign(text, i + 1);
    size_t expEnd = SkipDigits(text, expStart);
    if (expEnd > expStart) i = expEnd;
  }
  return i;
}

}  // namespace

int RowCountFromText(std::string_view text) {
  size_t length = LeadingNumberLength(text);
  // Only digits, signs, a point and an exponent reach strtod, so it reads no hex, "inf" or blanks;
  // out-of-range values come back as ±HUGE_VAL, which the bounds below absorb.
  double value = length ? std::strtod(std::string(text.substr(0, length)).c_str(), nullptr) : 0.0;
  if (value < kFewestRows) return kFewestRows;
  if (value > kMostRows) return kMostRows;
  return static_cast<int>(value);  // toward zero
}

int SteppedRowNumber(std::string_view text, bool up) {
  size_t start = SkipSign(text, 0);
  size_t end = SkipDigits(text, start);
  // Any number of digits may stand in the box; beyond the range only the side matters.
  long long value = 0;
  for (size_t i = start; i < end && value <= 1'000'000; ++i) value = value * 10 + (text[i] - '0');
  if (start > 0 && text[0] == '-') value = -value;
  value += up ? 1 : -1;
  if (value < kFewestRows || value > kMostRows) return up ? kFewestRows : kMostRows;
  return static_cast<int>(value);
}

}  // namespace table
