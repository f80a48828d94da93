// How the text of the insert-table window's row box becomes a number of rows.
#pragma once
#include <string_view>

namespace table {

constexpr int kFewestRows = 1;
constexpr int kMostRows = 20;

// The row count that confirming inserts: the longest leading decimal number of the text (sign,
// digits, fraction, exponent; 0 when there is none), cut toward zero and held within 1..20.
int RowCountFromText(std::string_view text);

// What one click of the row box's arrows writes into it: the leading whole number of the text
// (0 when there is none) plus or minus one, wrapping to 1 above the range and to 20 below it.
int SteppedRowNumber(std::string_view text, bool up);

}  // namespace table
