// The rich edit box's content and selected text, read and written as RTF or plain text according
// to the box's content format.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace rt {

enum class ContentFormat { PlainText, Rtf };

ContentFormat GetContentFormat(HWND box);
void SetContentFormat(HWND box, ContentFormat format);

// The whole document, and replacing it.
std::string GetContent(HWND box);
void SetContent(HWND box, std::string_view text);
// The selection, and replacing it (the caret when the selection is empty).
std::string GetSelectedText(HWND box);
void SetSelectedText(HWND box, std::string_view text);

}  // namespace rt
