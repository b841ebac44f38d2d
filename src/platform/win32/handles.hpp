#pragma once

#include <memory>
#include <type_traits>

#include "platform/win32/win32_api.hpp"

namespace nocturo::win32 {

// Owners for the system's handles: each closes its handle once, and none can be
// copied (std::unique_ptr deletes its copy operations).
struct WindowDeleter {
  void operator()(HWND handle) const { ::DestroyWindow(handle); }
};
struct MenuDeleter {
  void operator()(HMENU handle) const { ::DestroyMenu(handle); }
};
struct IconDeleter {
  void operator()(HICON handle) const { ::DestroyIcon(handle); }
};
struct GdiObjectDeleter {
  void operator()(HGDIOBJ handle) const { ::DeleteObject(handle); }
};
struct KeyDeleter {
  void operator()(HKEY handle) const { ::RegCloseKey(handle); }
};
struct ModuleDeleter {
  void operator()(HMODULE handle) const { ::FreeLibrary(handle); }
};
struct KernelHandleDeleter {
  void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};

using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyDeleter>;
using UniqueHandle = std::unique_ptr<void, KernelHandleDeleter>;
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleDeleter>;

// A window's device context (the screen's for no window), released on scope
// exit.
class WindowDc {
 public:
  explicit WindowDc(HWND window = nullptr) : window_(window), dc_(::GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_ != nullptr) {
      ::ReleaseDC(window_, dc_);
    }
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects a GDI object into a device context and puts the old one back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() { ::SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace nocturo::win32
