// Owners for the Windows handles the program holds: each closes its handle once.
#pragma once

#include <windows.h>

#include <utility>

namespace clavitone {

template <typename Handle, auto Close, auto Invalid = Handle{}>
class Scoped {
public:
    Scoped() = default;
    explicit Scoped(Handle handle) : handle_(handle) {}
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;
    Scoped(Scoped&& other) noexcept : handle_(std::exchange(other.handle_, Invalid)) {}
    Scoped& operator=(Scoped&& other) noexcept
    {
        if (this != &other)
            reset(std::exchange(other.handle_, Invalid));
        return *this;
    }
    ~Scoped() { reset(); }

    Handle get() const { return handle_; }
    // For the calls that hand a new handle out through a pointer.
    Handle* put()
    {
        reset();
        return &handle_;
    }
    explicit operator bool() const { return handle_ != Invalid; }
    void reset(Handle handle = Invalid)
    {
        if (handle_ != Invalid)
            Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Invalid;
};

inline void DeleteFont(HFONT font)
{
    DeleteObject(font);
}

inline void DeleteBitmap(HBITMAP bitmap)
{
    DeleteObject(bitmap);
}

using ScopedHandle = Scoped<HANDLE, CloseHandle>;
using ScopedModule = Scoped<HMODULE, FreeLibrary>;
using ScopedKey = Scoped<HKEY, RegCloseKey>;
using ScopedIcon = Scoped<HICON, DestroyIcon>;
using ScopedFont = Scoped<HFONT, DeleteFont>;
using ScopedBitmap = Scoped<HBITMAP, DeleteBitmap>;
using ScopedMenu = Scoped<HMENU, DestroyMenu>;
using ScopedWindow = Scoped<HWND, DestroyWindow>;
using ScopedHook = Scoped<HHOOK, UnhookWindowsHookEx>;

}  // namespace clavitone
