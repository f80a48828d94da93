#include "notes/message_pump.h"

#include <windows.h>

#include <optional>

namespace notes {

void PumpMessages() {
  std::optional<WPARAM> quit;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Re-posting at once would return it to this very loop; it waits until the queue is served.
      quit = msg.wParam;
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (quit) PostQuitMessage(static_cast<int>(*quit));
}

}  // namespace notes
