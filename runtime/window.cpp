#include "runtime/window.h"

#include <commctrl.h>
#include <richedit.h>

#include "runtime/menu.h"
#include "runtime/rich_edit_box.h"
#include "runtime/text.h"

namespace rt {
namespace {

constexpr char kWindowClass[] = "XwNotesWindow";
constexpr UINT_PTR kSubclassId = 1;

std::map<int, Window*>& Windows() {
  static std::map<int, Window*> windows;
  return windows;
}

void RegisterWindowClass(WNDPROC proc) {
  static bool registered = false;
  if (registered) return;
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES | ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES |
                                            ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
  if (!wc.hIcon) wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  registered = RegisterClassExA(&wc) != 0;
}

const char* RichEditClass() {
  // RichEdit 2.0 where it exists; the 1.0 control otherwise.
  static const char* name = [] {
    if (LoadLibraryA("riched20.dll")) return "RichEdit20A";
    LoadLibraryA("riched32.dll");
    return "RICHEDIT";
  }();
  return name;
}

}  // namespace

Window::Window(int windowId, WindowDesign design) : id_(windowId), design_(std::move(design)) {
  Windows()[id_] = this;
}

Window::~Window() {
  if (hwnd_) {
    quitOnDestroy_ = false;
    DestroyWindow(hwnd_);
  }
  Windows().erase(id_);
}

ControlKind Window::KindOf(int controlId) const {
  for (const ControlDesign& c : design_.controls)
    if (c.id == controlId) return c.kind;
  return ControlKind::Component;
}

HWND Window::Control(int controlId) const {
  auto it = controls_.find(controlId);
  return it == controls_.end() ? nullptr : it->second;
}

bool Window::Create(bool quitOnDestroy) {
  if (hwnd_) return true;
  RegisterWindowClass(&Window::WindowProc);
  quitOnDestroy_ = quitOnDestroy;
  int left = design_.left, top = design_.top;
  if (design_.centred) {
    left = (GetSystemMetrics(SM_CXSCREEN) - design_.width) / 2;
    top = (GetSystemMetrics(SM_CYSCREEN) - design_.height) / 2;
  }
  menu_.reset(design_.menu.empty() ? nullptr : BuildMenuBar(design_.menu));
  accelerators_.reset(BuildAccelerators(design_.menu));
  HWND hwnd = CreateWindowExA(design_.exStyle, kWindowClass, design_.caption.c_str(), design_.style, left,
                              top, design_.width, design_.height, nullptr, menu_.get(),
                              GetModuleHandleA(nullptr), this);
  if (!hwnd) {
    menu_.release();  // CreateWindowEx failed: the menu is still ours
    return false;
  }
  CreateControls();
  // The first layout happens at the first show, as every later one at a move or resize.
  if (onSizeChanged_) onSizeChanged_();
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  UpdateWindow(hwnd_);
  if (onCreated_) onCreated_();
  return true;
}

void Window::CreateControls() {
  HWND previous = nullptr;
  for (const ControlDesign& c : design_.controls) {
    HWND control = CreateControl(c, previous);
    if (!control) continue;
    controls_[c.id] = control;
    if (c.kind != ControlKind::Component) previous = control;
  }
  // The controls on a tab control's page are its siblings: keep the tab control below them all.
  for (const ControlDesign& c : design_.controls)
    if (c.kind == ControlKind::TabControl)
      SetWindowPos(Control(c.id), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HWND Window::CreateControl(const ControlDesign& c, HWND previous) {
  if (c.kind == ControlKind::Component) return nullptr;
  const char* cls = "STATIC";
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | c.style;
  DWORD exStyle = c.exStyle;
  std::string text = c.text;
  switch (c.kind) {
    case ControlKind::TabControl:
      cls = WC_TABCONTROLA;
      text.clear();
      break;
    case ControlKind::TreeView:
      cls = WC_TREEVIEWA;
      style |= WS_TABSTOP | WS_BORDER | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
      break;
    case ControlKind::RichEdit:
      cls = RichEditClass();
      style |= WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case ControlKind::EditBox:
      cls = "EDIT";
      style |= WS_TABSTOP | ES_AUTOHSCROLL;
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Label:
      cls = "STATIC";
      break;
    case ControlKind::PushButton:
      cls = "BUTTON";
      style |= WS_TABSTOP | BS_PUSHBUTTON;
      break;
    case ControlKind::ListView:
      cls = WC_LISTVIEWA;
      style |= WS_TABSTOP | LVS_REPORT;
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case ControlKind::UpDown:
      cls = UPDOWN_CLASSA;
      style |= UDS_ALIGNRIGHT | UDS_ARROWKEYS;
      break;
    case ControlKind::Component:
      return nullptr;
  }
  if (c.disabled) style |= WS_DISABLED;
  HWND control = CreateWindowExA(exStyle, cls, text.c_str(), style, c.left, c.top, c.width, c.height, hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                 GetModuleHandleA(nullptr), nullptr);
  if (!control) return nullptr;

  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (c.font) {
    fonts_.emplace_back(CreateFontA(-c.font->height, 0, 0, 0, c.font->weight, FALSE, FALSE, FALSE,
                                    c.font->charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, c.font->face.c_str()));
    font = fonts_.back().get();
  }
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

  switch (c.kind) {
    case ControlKind::TabControl: {
      std::string captions = c.text;
      int index = 0;
      for (size_t start = 0; start <= captions.size();) {
        size_t bar = captions.find('|', start);
        std::string page = captions.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = page.data();
        SendMessageA(control, TCM_INSERTITEMA, index++, reinterpret_cast<LPARAM>(&item));
        if (bar == std::string::npos) break;
        start = bar + 1;
      }
      break;
    }
    case ControlKind::RichEdit:
      SetContentFormat(control, ContentFormat::Rtf);
      if (!text.empty()) SetContent(control, text);
      break;
    case ControlKind::ListView: {
      int index = 0;
      for (const ColumnDesign& column : c.columns) {
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        col.fmt = LVCFMT_LEFT;
        col.cx = column.width;
        std::string title = column.title;
        col.pszText = title.data();
        SendMessageA(control, LVM_INSERTCOLUMNA, index++, reinterpret_cast<LPARAM>(&col));
      }
      break;
    }
    case ControlKind::UpDown:
      if (previous) SendMessageA(control, UDM_SETBUDDY, reinterpret_cast<WPARAM>(previous), 0);
      break;
    default:
      break;
  }
  SetWindowSubclass(control, ControlProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  return control;
}

void Window::ShowModal() {
  // Dialog mode: the other windows of the program wait until this one is closed.
  disabledByModal_.clear();
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM param) -> BOOL {
        if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd))
          reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&disabledByModal_));
  for (HWND hwnd : disabledByModal_) EnableWindow(hwnd, FALSE);
  modal_ = true;
  if (!Create(false)) {
    Close();
    return;
  }
  MSG msg;
  while (hwnd_) {
    int got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop must see it too
      Close();
      break;
    }
    if (hwnd_ && IsDialogMessageA(hwnd_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  modal_ = false;
}

void Window::Close() {
  if (modal_ || !disabledByModal_.empty()) {
    // Re-enable first, so that activation returns to the window that opened this one.
    for (HWND hwnd : disabledByModal_)
      if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
    disabledByModal_.clear();
  }
  if (hwnd_) DestroyWindow(hwnd_);
}

void Window::PopupMenu(int topLevelIndex, POINT screen) {
  HMENU popup = GetSubMenu(menu_.get(), topLevelIndex);
  if (popup && hwnd_) TrackPopupAt(popup, hwnd_, screen);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  return self->HandleMessage(msg, wParam, lParam);
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = hwnd_;
  switch (msg) {
    case WM_SIZE:
    case WM_MOVE:
      if (onSizeChanged_ && !controls_.empty()) onSizeChanged_();
      break;
    case WM_COMMAND: {
      int id = LOWORD(wParam);
      bool fromMenu = lParam == 0;  // menu or accelerator
      bool clicked = lParam != 0 && HIWORD(wParam) == BN_CLICKED;
      if (fromMenu || clicked) {
        auto it = commands_.find(id);
        if (it != commands_.end()) {
          Handler h = it->second;  // the handler may close this window
          h();
          return 0;
        }
      }
      break;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      int id = static_cast<int>(header->idFrom);
      // A tree view swallows the button release in its own drag-detection loop and reports it
      // as NM_RCLICK instead.
      auto rclick = rightButtonUp_.find(id);
      if (header->code == static_cast<UINT>(NM_RCLICK) && rclick != rightButtonUp_.end() &&
          KindOf(id) == ControlKind::TreeView) {
        Handler h = rclick->second;
        h();
        return 1;
      }
      auto it = notifies_.find({id, header->code});
      if (it != notifies_.end()) {
        NotifyHandler h = it->second;
        return h(header);
      }
      break;
    }
    case WM_CLOSE:
      Close();
      return 0;
    case WM_NCDESTROY: {
      LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      controls_.clear();
      fonts_.clear();
      menu_.release();  // destroyed with the window
      if (quitOnDestroy_) PostQuitMessage(0);
      // A sent message (another thread's click, a close request) can end the window while the
      // modal loop waits in GetMessage: wake it so that it sees the window gone.
      if (modal_) PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
      return result;
    }
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK Window::ControlProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR data) {
  auto* self = reinterpret_cast<Window*>(data);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(control, ControlProc, kSubclassId);
    return DefSubclassProc(control, msg, wParam, lParam);
  }
  return self->HandleControlMessage(GetDlgCtrlID(control), control, msg, wParam, lParam);
}

LRESULT Window::HandleControlMessage(int controlId, HWND control, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto hook = hooks_.find(controlId);
  if (hook != hooks_.end()) {
    MessageHook h = hook->second;
    if (std::optional<LRESULT> handled = h(msg, wParam, lParam)) return *handled;
  }
  if (msg == WM_RBUTTONUP) {
    auto it = rightButtonUp_.find(controlId);
    if (it != rightButtonUp_.end()) {
      LRESULT result = DefSubclassProc(control, msg, wParam, lParam);
      Handler h = it->second;
      h();
      return result;
    }
  }
  // The popup shown on release replaces the control's own context menu.
  if (msg == WM_CONTEXTMENU && rightButtonUp_.count(controlId)) return 0;
  return DefSubclassProc(control, msg, wParam, lParam);
}

HWND ControlHandle(int windowId, int controlId) {
  Window* window = FindWindowById(windowId);
  return window ? window->Control(controlId) : nullptr;
}

Window* FindWindowById(int windowId) {
  auto it = Windows().find(windowId);
  return it == Windows().end() ? nullptr : it->second;
}

Window* FindWindowByHandle(HWND hwnd) {
  for (auto& [id, window] : Windows())
    if (window->Handle() && window->Handle() == hwnd) return window;
  return nullptr;
}

}  // namespace rt
