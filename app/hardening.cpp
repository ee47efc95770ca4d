#include "app/hardening.h"

#include <windows.h>

#include "base/heap_array.h"

namespace {

// LOAD_LIBRARY_SEARCH_SYSTEM32; the call is looked up because Windows
// versions before 8 have it only with an update.
constexpr DWORD kSearchSystem32 = 0x00000800;

}  // namespace

void RestrictDllSearch() {
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void (*)()>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefaultDllDirectories != nullptr) setDefaultDllDirectories(kSearchSystem32);
    // Where that is missing, at least the current folder leaves the search.
    SetDllDirectoryW(L"");
}

Text LocalRedirectionPath(const Text& exePath) { return exePath + L".local"; }

bool HasLocalRedirection() {
    HeapArray<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return false;
        if (length < path.size()) {
            const Text local = LocalRedirectionPath(Text(path.data(), length));
            if (GetFileAttributesW(local.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
            // There, but hidden from us: better refuse than be redirected.
            const DWORD error = GetLastError();
            return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
        }
        path.resize(path.size() * 2);
    }
}
