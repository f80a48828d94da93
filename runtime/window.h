// A top-level window built from its design. Controls are addressed by (window id, control id);
// ControlHandle turns that pair into the native handle while the window exists.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "runtime/design.h"
#include "runtime/scoped_win.h"

namespace rt {

class Window {
public:
  using Handler = std::function<void()>;
  using NotifyHandler = std::function<LRESULT(NMHDR*)>;
  // Sees a control's messages first; a value returned means the message was handled.
  using MessageHook = std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)>;

  Window(int windowId, WindowDesign design);
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  ~Window();

  // Builds the window and its controls, shows it and raises the creation-complete event.
  // With quitOnDestroy the message loop ends when the window goes.
  bool Create(bool quitOnDestroy = false);
  // Dialog mode: every other top-level window of the thread is disabled while this one is open,
  // and the call returns once it has been closed.
  void ShowModal();
  // Destroys the window (the close box does the same).
  void Close();

  int Id() const { return id_; }
  HWND Handle() const { return hwnd_; }
  HWND Control(int controlId) const;
  const WindowDesign& Design() const { return design_; }
  HMENU MenuBar() const { return menu_.get(); }
  HACCEL Accelerators() const { return accelerators_.get(); }
  bool IsModal() const { return modal_; }

  // Pops up the items of a top-level menu at a screen position.
  void PopupMenu(int topLevelIndex, POINT screen);

  // Events. Handlers are kept for the window's life and survive re-creation.
  void OnCreated(Handler h) { onCreated_ = std::move(h); }
  void OnSizeChanged(Handler h) { onSizeChanged_ = std::move(h); }
  void OnCommand(int command, Handler h) { commands_[command] = std::move(h); }
  void OnClick(int controlId, Handler h) { commands_[controlId] = std::move(h); }
  void OnNotify(int controlId, UINT code, NotifyHandler h) { notifies_[{controlId, code}] = std::move(h); }
  void OnRightButtonUp(int controlId, Handler h) { rightButtonUp_[controlId] = std::move(h); }
  void OnControlMessage(int controlId, MessageHook h) { hooks_[controlId] = std::move(h); }

private:
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT HandleControlMessage(int controlId, HWND control, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND CreateControl(const ControlDesign& c, HWND previous);
  void CreateControls();
  ControlKind KindOf(int controlId) const;

  int id_;
  WindowDesign design_;
  HWND hwnd_ = nullptr;
  bool quitOnDestroy_ = false;
  bool modal_ = false;
  std::vector<HWND> disabledByModal_;
  std::map<int, HWND> controls_;
  std::vector<ScopedFont> fonts_;
  ScopedMenu menu_;
  ScopedAccel accelerators_;

  Handler onCreated_, onSizeChanged_;
  std::map<int, Handler> commands_;
  std::map<std::pair<int, UINT>, NotifyHandler> notifies_;
  std::map<int, Handler> rightButtonUp_;
  std::map<int, MessageHook> hooks_;
};

// The native handle of a control of a window that exists; null otherwise.
HWND ControlHandle(int windowId, int controlId);
// The window with that id while it exists; null otherwise.
Window* FindWindowById(int windowId);
// The Window that owns a native top-level handle; null for any other handle.
Window* FindWindowByHandle(HWND hwnd);

}  // namespace rt
