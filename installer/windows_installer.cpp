#include "installer/windows_installer.h"

#include <string>

namespace {

// Owns the loaded msi.dll for the rest of the process.
class Module {
public:
    explicit Module(HMODULE module) : module_(module) {}
    ~Module() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    HMODULE get() const { return module_; }

private:
    HMODULE module_;
};

struct MsiFunctions {
    decltype(&MsiGetSummaryInformationW) getSummaryInformation;
    decltype(&MsiSummaryInfoGetPropertyW) summaryInfoGetProperty;
    decltype(&MsiCloseHandle) closeHandle;
    decltype(&MsiQueryProductStateW) queryProductState;
    decltype(&MsiGetProductInfoW) getProductInfo;
    decltype(&MsiConfigureProductExW) configureProductEx;
    decltype(&MsiSetInternalUI) setInternalUI;
    decltype(&MsiEnableLogW) enableLog;
};

HMODULE LoadFromSystemFolder(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + name;
    // The altered search path makes msi.dll's own dependencies resolve from
    // the system folder too, not from the exe's folder.
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

template <typename Function>
bool Bind(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    return function != nullptr;
}

// The bound functions, or null with the reason in the last-error value.
const MsiFunctions* Msi() {
    static const Module module(LoadFromSystemFolder(L"msi.dll"));
    static MsiFunctions functions{};
    static const bool bound =
        module.get() != nullptr &&
        Bind(module.get(), "MsiGetSummaryInformationW", functions.getSummaryInformation) &&
        Bind(module.get(), "MsiSummaryInfoGetPropertyW", functions.summaryInfoGetProperty) &&
        Bind(module.get(), "MsiCloseHandle", functions.closeHandle) &&
        Bind(module.get(), "MsiQueryProductStateW", functions.queryProductState) &&
        Bind(module.get(), "MsiGetProductInfoW", functions.getProductInfo) &&
        Bind(module.get(), "MsiConfigureProductExW", functions.configureProductEx) &&
        Bind(module.get(), "MsiSetInternalUI", functions.setInternalUI) &&
        Bind(module.get(), "MsiEnableLogW", functions.enableLog);
    static const DWORD bindError = bound ? ERROR_SUCCESS : GetLastError();
    if (!bound) SetLastError(bindError);
    return bound ? &functions : nullptr;
}

UINT Unavailable() {
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_MOD_NOT_FOUND;
}

}  // namespace

UINT InstallerGetSummaryInformation(const wchar_t* packagePath, MSIHANDLE* summary) {
    const MsiFunctions* msi = Msi();
    if (msi == nullptr) return Unavailable();
    return msi->getSummaryInformation(0, packagePath, 0, summary);
}

UINT InstallerGetSummaryText(MSIHANDLE summary, UINT property, wchar_t* buffer, DWORD* size) {
    const MsiFunctions* msi = Msi();
    if (msi == nullptr) return Unavailable();
    UINT type = 0;
    INT number = 0;
    FILETIME time{};
    return msi->summaryInfoGetProperty(summary, property, &type, &number, &time, buffer, size);
}

void InstallerCloseHandle(MSIHANDLE handle) {
    if (const MsiFunctions* msi = Msi()) msi->closeHandle(handle);
}

INSTALLSTATE InstallerQueryProductState(const wchar_t* productCode) {
    const MsiFunctions* msi = Msi();
    return msi ? msi->queryProductState(productCode) : INSTALLSTATE_UNKNOWN;
}

UINT InstallerGetProductInfo(const wchar_t* productCode, const wchar_t* property, wchar_t* buffer,
                             DWORD* size) {
    const MsiFunctions* msi = Msi();
    if (msi == nullptr) return Unavailable();
    return msi->getProductInfo(productCode, property, buffer, size);
}

UINT InstallerConfigureProduct(const wchar_t* productCode, int installLevel, INSTALLSTATE state,
                               const wchar_t* commandLine) {
    const MsiFunctions* msi = Msi();
    if (msi == nullptr) return Unavailable();
    return msi->configureProductEx(productCode, installLevel, state, commandLine);
}

void InstallerHideUserInterface() {
    if (const MsiFunctions* msi = Msi()) msi->setInternalUI(INSTALLUILEVEL_NONE, nullptr);
}

UINT InstallerEnableVerboseLog(const wchar_t* path) {
    const MsiFunctions* msi = Msi();
    if (msi == nullptr) return Unavailable();
    return msi->enableLog(INSTALLLOGMODE_VERBOSE, path,
                          INSTALLLOGATTRIBUTES_APPEND | INSTALLLOGATTRIBUTES_FLUSHEACHLINE);
}
