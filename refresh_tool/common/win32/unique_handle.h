#pragma once
// One RAII owner for every kind of Win32 handle: the close function is part of the type,
// copying is deleted, moving hands ownership on. A handle is empty when it is null or,
// for kernel handles, INVALID_HANDLE_VALUE (which of the two an API returns on failure
// differs from API to API).
#include <windows.h>

namespace qv::win32 {

template <typename Traits> class UniqueResource {
public:
    using Handle = typename Traits::Handle;

    UniqueResource() = default;
    explicit UniqueResource(Handle handle) : handle_(handle) {}
    ~UniqueResource() { reset(); }

    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : handle_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept
    {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return Traits::IsValid(handle_); }

    // For out-parameters: closes what is held and lends the slot.
    Handle* put()
    {
        reset();
        return &handle_;
    }

    Handle release()
    {
        Handle handle = handle_;
        handle_ = Handle{};
        return handle;
    }

    void reset(Handle handle = Handle{})
    {
        if (Traits::IsValid(handle_)) {
            Traits::Close(handle_);
        }
        handle_ = handle;
    }

private:
    Handle handle_{};
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::CloseHandle(h); }
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { ::RegCloseKey(h); }
};

struct IconTraits {
    using Handle = HICON;
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { ::DestroyIcon(h); }
};

using UniqueHandle = UniqueResource<KernelHandleTraits>;
using UniqueKey = UniqueResource<RegistryKeyTraits>;
using UniqueIcon = UniqueResource<IconTraits>;

}  // namespace qv::win32
