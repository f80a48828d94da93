// The RTF fragment of an empty table, and putting RTF in place of the editor's selection.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace table {

// The markup of an empty table: one boundary per column (the running sum of the columns' widths,
// each converted to twips on its own), "\cell" marks in the first row only, and `rows` rows (at
// least one). Lines end in CR LF except the closing brace. Empty for an empty width list.
std::string BuildTableMarkup(const std::vector<int>& widths, int rows,
                             const std::function<int(int pixels)>& pixelsToTwips);

// Streams RTF into the box in place of its selection (at the caret when nothing is selected).
// The box's content format is RTF for the insertion only, and is what it was afterwards.
void InsertRtfAtSelection(HWND box, std::string_view rtf);

}  // namespace table
