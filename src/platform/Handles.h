// Owning wrappers, one per handle kind: each releases its handle with the matching call.
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace tovimar::platform {

// Owns one handle; Traits names its type, the value that means none, and how it is released.
template <typename Traits> class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() = default;
    explicit UniqueHandle(Type handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle &) = delete;
    UniqueHandle &operator=(const UniqueHandle &) = delete;
    ~UniqueHandle() { Reset(); }

    Type Get() const { return handle_; }
    bool IsValid() const { return Traits::IsValid(handle_); }
    explicit operator bool() const { return IsValid(); }
    void Reset(Type handle = Traits::None()) {
        if (IsValid()) Traits::Release(handle_);
        handle_ = handle;
    }
    void Close() { Reset(); }

private:
    Type handle_ = Traits::None();
};

// A kernel handle from CreateFile and friends; some calls report failure as null instead.
struct FileTraits {
    using Type = HANDLE;
    static Type None() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Type h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Release(Type h) { ::CloseHandle(h); }
};

// A folder search (FindFirstFileW).
struct FindTraits {
    using Type = HANDLE;
    static Type None() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Type h) { return h != INVALID_HANDLE_VALUE; }
    static void Release(Type h) { ::FindClose(h); }
};

// Any GDI object (font, brush, bitmap, pen).
template <typename T> struct GdiTraits {
    using Type = T;
    static Type None() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Release(Type h) { ::DeleteObject(h); }
};

// A memory device context from CreateCompatibleDC.
struct MemoryDCTraits {
    using Type = HDC;
    static Type None() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Release(Type h) { ::DeleteDC(h); }
};

struct ImageListTraits {
    using Type = HIMAGELIST;
    static Type None() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Release(Type h) { ::ImageList_Destroy(h); }
};

using FileHandle = UniqueHandle<FileTraits>;
using FindHandle = UniqueHandle<FindTraits>;
template <typename T> using GdiObject = UniqueHandle<GdiTraits<T>>;
using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using MemoryDC = UniqueHandle<MemoryDCTraits>;
using ImageList = UniqueHandle<ImageListTraits>;

// A window's device context from GetDC, handed back with ReleaseDC (which needs the window).
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
    WindowDC(const WindowDC &) = delete;
    WindowDC &operator=(const WindowDC &) = delete;
    ~WindowDC() {
        if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
    }

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context for one scope and puts the previous one back, so
// that the object can be deleted and the context released cleanly afterwards.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ScopedSelect(const ScopedSelect &) = delete;
    ScopedSelect &operator=(const ScopedSelect &) = delete;
    ~ScopedSelect() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace tovimar::platform
