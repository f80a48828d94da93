#include "app/link_activation.h"

#include <richedit.h>

#include <cstring>
#include <string>

#include "app/ids.h"
#include "app/link_address.h"
#include "app/main_window.h"
#include "runtime/open_address.h"
#include "runtime/window.h"

namespace app {
namespace {

WNDPROC g_previousProc = nullptr;

// A handler receives the address on its command line, which holds at most 32,767 characters:
// a longer link could only reach it cut short, so it opens nothing.
constexpr LONG kMaxLinkLength = 32767;

// The text of the link's range, read from the editor into a buffer sized from that range; empty
// for a range that is empty, reversed or too long.
std::string LinkText(CHARRANGE range) {
  if (range.cpMin < 0 || range.cpMax <= range.cpMin || range.cpMax - range.cpMin > kMaxLinkLength) return {};
  // An ANSI box gives each double-byte character as two bytes.
  std::string buffer(2 * static_cast<size_t>(range.cpMax - range.cpMin) + 1, '\0');
  TEXTRANGEA request{range, buffer.data()};
  SendMessageA(rt::ControlHandle(kMainWindow, kEditor), EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&request));
  buffer.resize(std::strlen(buffer.c_str()));
  return buffer;
}

void HandleLinkNotification(const ENLINK& link) {
  if (link.msg != WM_LBUTTONDBLCLK && link.msg != WM_LBUTTONUP) return;
  bool open = link.msg == WM_LBUTTONDBLCLK || (link.wParam & MK_CONTROL) == MK_CONTROL;
  if (!open) return;
  if (std::optional<std::string> address = ShellAddressForLink(LinkText(link.chrg))) rt::OpenAddress(*address);
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NOTIFY && lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    // Whichever control sent it: only the editor detects links.
    if (header->code == EN_LINK) HandleLinkNotification(*reinterpret_cast<const ENLINK*>(lParam));
  }
  // The reply to EN_LINK (whether the editor goes on with the mouse message) is the previous
  // procedure's, as for every other message.
  if (!g_previousProc) return DefWindowProcA(hwnd, msg, wParam, lParam);
  return CallWindowProcA(g_previousProc, hwnd, msg, wParam, lParam);
}

void InstallMainWindowProc() {
  HWND main = MainWindow().Handle();
  if (!main) return;
  // Installed already: keeping itself as the previous procedure would loop forever.
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(main, GWLP_WNDPROC)) == &MainWindowProc) return;
  g_previousProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainWindowProc)));
}

}  // namespace app
