#pragma once
// Move-only owners of GDI and USER handles, and scoped objects for the paired calls (BeginPaint/EndPaint,
// GetDC/ReleaseDC, SelectObject). Nothing here copies a handle, so nothing is released twice.
#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace rt {

// Owns one handle of type H and releases it with Close when it goes away.
template <class H, auto Close> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    H get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    H release() { return std::exchange(handle_, nullptr); }
    void reset(H handle = nullptr)
    {
        if (handle_)
            Close(handle_);
        handle_ = handle;
    }

private:
    H handle_ = nullptr;
};

namespace detail {
inline void DeleteGdiObject(HGDIOBJ object)
{
    DeleteObject(object);
}
inline void CloseIcon(HICON icon)
{
    DestroyIcon(icon);
}
inline void CloseCursor(HCURSOR cursor)
{
    DestroyCursor(cursor);
}
inline void CloseMenu(HMENU menu)
{
    DestroyMenu(menu);
}
inline void CloseWindow(HWND hwnd)
{
    DestroyWindow(hwnd);
}
inline void CloseDc(HDC dc)
{
    DeleteDC(dc);
}
inline void CloseImageList(HIMAGELIST list)
{
    ImageList_Destroy(list);
}
inline void CloseKernelHandle(HANDLE handle)
{
    CloseHandle(handle);
}
}  // namespace detail

using FontHandle = UniqueHandle<HFONT, detail::DeleteGdiObject>;
using BrushHandle = UniqueHandle<HBRUSH, detail::DeleteGdiObject>;
using PenHandle = UniqueHandle<HPEN, detail::DeleteGdiObject>;
using BitmapHandle = UniqueHandle<HBITMAP, detail::DeleteGdiObject>;
using RegionHandle = UniqueHandle<HRGN, detail::DeleteGdiObject>;
using IconHandle = UniqueHandle<HICON, detail::CloseIcon>;
using CursorHandle = UniqueHandle<HCURSOR, detail::CloseCursor>;
using ImageListHandle = UniqueHandle<HIMAGELIST, detail::CloseImageList>;  // ImageList_Create
using MenuHandle = UniqueHandle<HMENU, detail::CloseMenu>;
using WindowHandle = UniqueHandle<HWND, detail::CloseWindow>;
using MemoryDcHandle = UniqueHandle<HDC, detail::CloseDc>;  // CreateCompatibleDC / CreateDC
// A file: CreateFileW fails with INVALID_HANDLE_VALUE, which OwnFile turns into an empty owner.
using FileHandle = UniqueHandle<HANDLE, detail::CloseKernelHandle>;
inline FileHandle OwnFile(HANDLE handle)
{
    return FileHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

// BeginPaint ... EndPaint.
class PaintScope {
public:
    explicit PaintScope(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
    ~PaintScope() { EndPaint(hwnd_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC dc() const { return dc_; }
    const RECT& area() const { return ps_.rcPaint; }

private:
    HWND hwnd_;
    HDC dc_ = nullptr;
    PAINTSTRUCT ps_{};
};

// GetDC ... ReleaseDC; a null window gives the screen's DC. Area::Whole takes GetWindowDC: the frame included.
class WindowDc {
public:
    enum class Area { Client, Whole };
    explicit WindowDc(HWND hwnd, Area area = Area::Client)
        : hwnd_(hwnd), dc_(area == Area::Whole ? GetWindowDC(hwnd) : GetDC(hwnd))
    {
    }
    ~WindowDc()
    {
        if (dc_)
            ReleaseDC(hwnd_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// SelectObject, undone when the owner ends: the object the context held before the first selection goes
// back. Movable, so a class can keep a selection as long as it keeps the context (declared after the context
// and the objects it selects, so that it goes first); Select again puts another object of the same kind in.
class SelectScope {
public:
    SelectScope() = default;
    SelectScope(HDC dc, HGDIOBJ object) { Select(dc, object); }
    ~SelectScope() { Restore(); }
    SelectScope(SelectScope&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)), original_(std::exchange(other.original_, nullptr))
    {
    }
    SelectScope& operator=(SelectScope&& other) noexcept
    {
        if (this != &other) {
            Restore();
            dc_ = std::exchange(other.dc_, nullptr);
            original_ = std::exchange(other.original_, nullptr);
        }
        return *this;
    }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;

    // False, and nothing selected, for a null context or object or when the context refuses the object.
    bool Select(HDC dc, HGDIOBJ object)
    {
        if (!dc || !object)
            return false;
        if (original_ && dc != dc_)
            Restore();
        HGDIOBJ previous = SelectObject(dc, object);
        if (!previous || previous == HGDI_ERROR)
            return false;
        if (!original_) {
            dc_ = dc;
            original_ = previous;
        }
        return true;
    }
    // Puts the original object back now.
    void Restore()
    {
        if (original_)
            SelectObject(dc_, original_);  // the original was there before: nothing to check
        dc_ = nullptr;
        original_ = nullptr;
    }
    explicit operator bool() const { return original_ != nullptr; }

private:
    HDC dc_ = nullptr;
    HGDIOBJ original_ = nullptr;
};

}  // namespace rt
