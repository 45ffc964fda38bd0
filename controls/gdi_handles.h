// Owning wrappers for the GDI resources a paint makes: an object (pen, brush, bitmap, font)
// deleted with DeleteObject, a selection undone on scope exit, a memory device context, a
// window's device context, and a BeginPaint/EndPaint pair. Each is move-only and releases exactly
// what it owns.
#pragma once

#include <windows.h>

#include <utility>

#include "controls/dpi_scale.h"

// Owns one handle that Release gives back when the owner goes; move-only, empty when null.
template <typename Handle, typename Release>
class OwnedHandle {
  public:
    OwnedHandle() = default;
    explicit OwnedHandle(Handle handle) : handle_(handle) {}
    ~OwnedHandle() { Reset(); }
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    Handle Get() const { return handle_; }
    void Reset() {
        if (handle_ != nullptr) {
            Release()(handle_);
            handle_ = nullptr;
        }
    }

  private:
    Handle handle_ = nullptr;
};

struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using GdiObject = OwnedHandle<HGDIOBJ, DeleteGdiObject>;

// Selects an object into a context and puts the previous one back when it goes.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (dc_ != nullptr) {
            SelectObject(dc_, previous_);
        }
    }
    SelectedObject(SelectedObject&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)), previous_(other.previous_) {}
    SelectedObject& operator=(SelectedObject&&) = delete;
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

class MemoryDC {
  public:
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() {
        if (dc_ != nullptr) {
            DeleteDC(dc_);
        }
    }
    MemoryDC(MemoryDC&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    MemoryDC& operator=(MemoryDC&&) = delete;
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    HDC Get() const { return dc_; }

  private:
    HDC dc_;
};

// A window's device context from GetDC, given back with ReleaseDC.
class WindowDC {
  public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDC(WindowDC&& other) noexcept
        : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDC& operator=(WindowDC&&) = delete;
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC Get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

class PaintDC {
  public:
    explicit PaintDC(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ~PaintDC() {
        if (window_ != nullptr) {
            EndPaint(window_, &paint_);
        }
    }
    PaintDC(PaintDC&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)), dc_(other.dc_), paint_(other.paint_) {}
    PaintDC& operator=(PaintDC&&) = delete;
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;

    HDC Get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_ = nullptr;
    PAINTSTRUCT paint_ = {};
};

// The standard font of the painted controls' texts: 11 pixels high at 96 DPI.
inline GdiObject CreateDialogFont(int dpi = kBaseDpi) {
    return GdiObject(CreateFontA(-ScaleToDpi(11, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                 ANSI_CHARSET, 0, 0, 0, 0, "MS Shell Dlg 2"));
}
