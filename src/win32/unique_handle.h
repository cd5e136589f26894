// One move-only owner for every kind of Win32 handle; a line per handle type.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <utility>

namespace flk::win {

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;
  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : h_(h) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Traits::Invalid())) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) reset(std::exchange(o.h_, Traits::Invalid()));
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return h_; }
  explicit operator bool() const { return h_ != Traits::Invalid(); }
  Handle release() { return std::exchange(h_, Traits::Invalid()); }
  void reset(Handle h = Traits::Invalid()) {
    if (h_ != Traits::Invalid()) Traits::Close(h_);
    h_ = h;
  }
  Handle* put() {
    reset();
    return &h_;
  }

 private:
  Handle h_ = Traits::Invalid();
};

#define FLK_HANDLE_TRAITS(Name, Type, InvalidValue, CloseExpr)  \
  struct Name##Traits {                                         \
    using Handle = Type;                                        \
    static Handle Invalid() { return InvalidValue; }            \
    static void Close(Handle h) { CloseExpr; }                  \
  };                                                            \
  using Name = UniqueHandle<Name##Traits>;

FLK_HANDLE_TRAITS(UniqueFile, HANDLE, INVALID_HANDLE_VALUE, ::CloseHandle(h))
FLK_HANDLE_TRAITS(UniqueKernelHandle, HANDLE, nullptr, ::CloseHandle(h))
FLK_HANDLE_TRAITS(UniqueKey, HKEY, nullptr, ::RegCloseKey(h))
FLK_HANDLE_TRAITS(UniqueBitmap, HBITMAP, nullptr, ::DeleteObject(h))
FLK_HANDLE_TRAITS(UniqueBrush, HBRUSH, nullptr, ::DeleteObject(h))
FLK_HANDLE_TRAITS(UniquePen, HPEN, nullptr, ::DeleteObject(h))
FLK_HANDLE_TRAITS(UniqueFont, HFONT, nullptr, ::DeleteObject(h))
FLK_HANDLE_TRAITS(UniqueRegion, HRGN, nullptr, ::DeleteObject(h))
FLK_HANDLE_TRAITS(UniquePalette, HPALETTE, nullptr, ::DeleteObject(h))
FLK_HANDLE_TRAITS(UniqueMemoryDC, HDC, nullptr, ::DeleteDC(h))
FLK_HANDLE_TRAITS(UniqueIcon, HICON, nullptr, ::DestroyIcon(h))
FLK_HANDLE_TRAITS(UniqueMenu, HMENU, nullptr, ::DestroyMenu(h))
FLK_HANDLE_TRAITS(UniqueModule, HMODULE, nullptr, ::FreeLibrary(h))
FLK_HANDLE_TRAITS(UniqueFindHandle, HANDLE, INVALID_HANDLE_VALUE, ::FindClose(h))
FLK_HANDLE_TRAITS(UniqueGlobal, HGLOBAL, nullptr, ::GlobalFree(h))
// A printer DC from CreateDC: deleted like a memory DC, named for what it is.
FLK_HANDLE_TRAITS(UniquePrinterDC, HDC, nullptr, ::DeleteDC(h))
FLK_HANDLE_TRAITS(UniqueWindowHandle, HWND, nullptr, ::DestroyWindow(h))
FLK_HANDLE_TRAITS(UniqueLocal, HLOCAL, nullptr, ::LocalFree(h))
FLK_HANDLE_TRAITS(UniqueSid, PSID, nullptr, ::FreeSid(h))
FLK_HANDLE_TRAITS(UniqueImageList, HIMAGELIST, nullptr, ::ImageList_Destroy(h))
// Memory the shell hands out (item id lists, folder paths) and CoTaskMemFree takes back.
FLK_HANDLE_TRAITS(UniqueCoTaskMem, void*, nullptr, ::CoTaskMemFree(h))
#undef FLK_HANDLE_TRAITS

// GetDC / ReleaseDC pair (the window is needed to release); nullptr is the screen.
class WindowDC {
 public:
  explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
  ~WindowDC() {
    if (dc_) ::ReleaseDC(hwnd_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 protected:
  WindowDC(HWND hwnd, HDC dc) : hwnd_(hwnd), dc_(dc) {}

 private:
  HWND hwnd_;
  HDC dc_;
};

// The whole screen.
class ScreenDC : public WindowDC {
 public:
  ScreenDC() : WindowDC(nullptr) {}
};

// GetWindowDC / ReleaseDC: the window with its frame and caption.
class WindowFrameDC : public WindowDC {
 public:
  explicit WindowFrameDC(HWND hwnd) : WindowDC(hwnd, ::GetWindowDC(hwnd)) {}
};

// BeginPaint / EndPaint of one WM_PAINT.
class PaintDC {
 public:
  explicit PaintDC(HWND hwnd) : hwnd_(hwnd) { dc_ = ::BeginPaint(hwnd, &ps_); }
  ~PaintDC() { ::EndPaint(hwnd_, &ps_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  HDC get() const { return dc_; }
  const RECT& dirty() const { return ps_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_ = nullptr;
};

// GlobalLock / GlobalUnlock of movable memory.
class GlobalLockScope {
 public:
  explicit GlobalLockScope(HGLOBAL mem) : mem_(mem), p_(mem ? ::GlobalLock(mem) : nullptr) {}
  ~GlobalLockScope() {
    if (p_) ::GlobalUnlock(mem_);
  }
  GlobalLockScope(const GlobalLockScope&) = delete;
  GlobalLockScope& operator=(const GlobalLockScope&) = delete;
  void* get() const { return p_; }
  size_t size() const { return p_ ? ::GlobalSize(mem_) : 0; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  HGLOBAL mem_;
  void* p_;
};

// Movable memory holding a copy of `size` bytes; empty when memory runs out.
inline UniqueGlobal GlobalCopy(const void* data, size_t size) {
  UniqueGlobal mem(::GlobalAlloc(GMEM_MOVEABLE, size ? size : 1));
  if (!mem) return mem;
  GlobalLockScope lock(mem.get());
  if (!lock) return UniqueGlobal();
  if (size) ::CopyMemory(lock.get(), data, size);
  return mem;
}

// SelectObject that restores the previous object at scope end.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ obj) : dc_(dc), old_(::SelectObject(dc, obj)) {}
  ~SelectedObject() {
    if (old_ && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace flk::win
