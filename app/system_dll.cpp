#include "app/system_dll.h"

#include <utility>

#include "base/heap_array.h"
#include "base/text.h"

namespace {

// Owns a loaded DLL.
class Module {
public:
    explicit Module(HMODULE module) : module_(module) {}
    ~Module() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    Module(Module&& other) noexcept : module_(std::exchange(other.module_, nullptr)) {}
    Module& operator=(Module&&) = delete;
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    HMODULE get() const { return module_; }

private:
    HMODULE module_;
};

HMODULE LoadFromSystemFolder(const wchar_t* name) {
    // The system folder for the DLL and, as importantly, for every DLL it
    // imports in turn.
    constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    if (const HMODULE module = LoadLibraryExW(name, nullptr, kSearchSystem32)) return module;
    if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;

    // Windows without that flag (Vista and 7 before their update): the full
    // path, with the search for its imports starting in its own folder.
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const Text path = Text(folder, length) + L"\\" + name;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

struct LoadedDll {
    Text name;
    Module module;
    DWORD error;  // why it could not be loaded
};

// Each DLL is loaded once and kept until the process ends.
HMODULE Load(const wchar_t* name) {
    static HeapArray<LoadedDll> loaded;
    for (const LoadedDll& dll : loaded) {
        if (lstrcmpiW(dll.name.c_str(), name) == 0) {
            if (dll.module.get() == nullptr) SetLastError(dll.error);
            return dll.module.get();
        }
    }
    Module module(LoadFromSystemFolder(name));
    const DWORD error = module.get() ? ERROR_SUCCESS : GetLastError();
    loaded.push_back({name, std::move(module), error});
    SetLastError(error);
    return loaded.back().module.get();
}

}  // namespace

FARPROC BindSystemFunction(const wchar_t* dll, const char* function) {
    const HMODULE module = Load(dll);
    return module ? GetProcAddress(module, function) : nullptr;
}
