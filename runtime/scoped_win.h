// Owners for the Win32 handles the program holds, so that every exit path gives them back.
#pragma once
#include <windows.h>

#include <cstdint>
#include <utility>

namespace rt {

// A handle closed by a given function when the owner goes; Invalid is the "no handle" value.
template <typename H, auto Close, intptr_t Invalid = 0>
class UniqueHandle {
public:
  UniqueHandle() = default;
  explicit UniqueHandle(H h) : h_(h) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& o) noexcept : h_(o.release()) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) reset(o.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  H get() const { return h_; }
  explicit operator bool() const { return h_ != reinterpret_cast<H>(Invalid); }
  H release() { return std::exchange(h_, reinterpret_cast<H>(Invalid)); }
  void reset(H h = reinterpret_cast<H>(Invalid)) {
    if (*this) Close(h_);
    h_ = h;
  }

private:
  H h_ = reinterpret_cast<H>(Invalid);
};

using ScopedHandle = UniqueHandle<HANDLE, &::CloseHandle>;
using ScopedFile = UniqueHandle<HANDLE, &::CloseHandle, -1>;  // INVALID_HANDLE_VALUE
using ScopedFind = UniqueHandle<HANDLE, &::FindClose, -1>;
using ScopedMenu = UniqueHandle<HMENU, &::DestroyMenu>;
using ScopedAccel = UniqueHandle<HACCEL, &::DestroyAcceleratorTable>;
using ScopedFont = UniqueHandle<HFONT, &::DeleteObject>;
using ScopedKey = UniqueHandle<HKEY, &::RegCloseKey>;
using ScopedModule = UniqueHandle<HMODULE, &::FreeLibrary>;
using ScopedGlobal = UniqueHandle<HGLOBAL, &::GlobalFree>;

// A window's (or the screen's, for null) device context, given back with ReleaseDC.
class ScopedGetDC {
public:
  explicit ScopedGetDC(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
  ScopedGetDC(const ScopedGetDC&) = delete;
  ScopedGetDC& operator=(const ScopedGetDC&) = delete;
  ~ScopedGetDC() {
    if (dc_) ::ReleaseDC(hwnd_, dc_);
  }
  HDC get() const { return dc_; }

private:
  HWND hwnd_;
  HDC dc_;
};

// Runs a callable when the scope ends.
template <typename F>
class ScopeExit {
public:
  explicit ScopeExit(F f) : f_(std::move(f)) {}
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;
  ~ScopeExit() { f_(); }

private:
  F f_;
};

}  // namespace rt
