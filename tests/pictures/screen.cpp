#include "tests/pictures/screen.h"

#include <algorithm>
#include <cstdlib>

#include "runtime/scoped_win.h"

namespace pictures_test {

Pixels CaptureScreen(const RECT& r) {
  Pixels shot = Solid(r.right - r.left, r.bottom - r.top, 0);
  rt::ScopedGetDC screen(nullptr);
  HDC memory = CreateCompatibleDC(screen.get());
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shot.width;
  info.bmiHeader.biHeight = -shot.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, shot.width, shot.height, screen.get(), r.left, r.top, SRCCOPY);
  GdiFlush();
  const auto* px = static_cast<const std::uint32_t*>(bits);
  for (size_t i = 0; i < shot.rgb.size(); ++i) shot.rgb[i] = px[i] & 0xFFFFFF;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return shot;
}

Pixels CaptureClient(HWND hwnd) {
  RECT client{};
  GetClientRect(hwnd, &client);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return CaptureScreen(client);
}

bool Near(std::uint32_t a, std::uint32_t b, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    if (std::abs(d) > tolerance) return false;
  }
  return true;
}

ColourArea FindColour(const Pixels& shot, std::uint32_t rgb, int tolerance) {
  ColourArea area;
  area.box = {shot.width, shot.height, 0, 0};
  for (int y = 0; y < shot.height; ++y)
    for (int x = 0; x < shot.width; ++x) {
      if (!Near(shot.at(x, y), rgb, tolerance)) continue;
      ++area.count;
      area.box.left = std::min<LONG>(area.box.left, x);
      area.box.top = std::min<LONG>(area.box.top, y);
      area.box.right = std::max<LONG>(area.box.right, x + 1);
      area.box.bottom = std::max<LONG>(area.box.bottom, y + 1);
    }
  if (!area.count) area.box = {0, 0, 0, 0};
  return area;
}

}  // namespace pictures_test
