#include "runtime/rich_edit_box.h"

#include <richedit.h>

#include <cstring>

namespace rt {
namespace {

constexpr char kFormatProperty[] = "XwContentFormat";

struct Reader {
  std::string_view data;
  size_t offset = 0;
};

DWORD CALLBACK ReadFromText(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto* reader = reinterpret_cast<Reader*>(cookie);
  size_t n = std::min<size_t>(static_cast<size_t>(wanted), reader->data.size() - reader->offset);
  std::memcpy(buffer, reader->data.data() + reader->offset, n);
  reader->offset += n;
  *given = static_cast<LONG>(n);
  return 0;
}

DWORD CALLBACK AppendToText(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* taken) {
  reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), count);
  *taken = count;
  return 0;
}

WPARAM StreamFormat(HWND box) {
  return GetContentFormat(box) == ContentFormat::Rtf ? SF_RTF : SF_TEXT;
}

std::string StreamOut(HWND box, WPARAM format) {
  std::string text;
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&text), 0, AppendToText};
  SendMessageA(box, EM_STREAMOUT, format, reinterpret_cast<LPARAM>(&stream));
  return text;
}

void StreamIn(HWND box, WPARAM format, std::string_view text) {
  Reader reader{text};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&reader), 0, ReadFromText};
  SendMessageA(box, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
}

}  // namespace

ContentFormat GetContentFormat(HWND box) {
  return GetPropA(box, kFormatProperty) ? ContentFormat::PlainText : ContentFormat::Rtf;
}

void SetContentFormat(HWND box, ContentFormat format) {
  if (format == ContentFormat::PlainText)
    SetPropA(box, kFormatProperty, reinterpret_cast<HANDLE>(1));
  else
    RemovePropA(box, kFormatProperty);
}

std::string GetContent(HWND box) { return StreamOut(box, StreamFormat(box)); }

void SetContent(HWND box, std::string_view text) { StreamIn(box, StreamFormat(box), text); }

std::string GetSelectedText(HWND box) { return StreamOut(box, StreamFormat(box) | SFF_SELECTION); }

void SetSelectedText(HWND box, std::string_view text) {
  StreamIn(box, StreamFormat(box) | SFF_SELECTION, text);
}

}  // namespace rt
