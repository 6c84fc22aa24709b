// Holders that close a registry key or a kernel handle when they go out of scope, so that every
// early return releases what was obtained. Only what was obtained is closed.
#pragma once

#include <windows.h>

// An open registry key; `key` is filled by the call that opens it, whose result goes through
// Obtained: after a failed call `key` holds nothing, whatever the call left there.
struct ScopedKey {
    HKEY key = nullptr;
    ScopedKey() = default;
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;
    bool Obtained(LONG result) {
        if (result != ERROR_SUCCESS) key = nullptr;
        return key != nullptr;
    }
    ~ScopedKey() {
        if (key != nullptr) /* rc = */
            RegCloseKey(key);
    }
};

// A kernel handle (process, thread, token); `handle` is filled by the call that obtains it.
struct ScopedHandle {
    HANDLE handle = nullptr;
    ScopedHandle() = default;
    explicit ScopedHandle(HANDLE obtained) : handle(obtained) {}
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ~ScopedHandle() {
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE) /* ok = */
            CloseHandle(handle);
    }
};
