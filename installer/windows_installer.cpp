#include "installer/windows_installer.h"

#include "app/system_dll.h"

namespace {

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

template <typename Function>
bool Bind(const char* name, Function& function) {
    function = BindSystem<Function>(L"msi.dll", name);
    return function != nullptr;
}

// The bound functions, or null with the reason in the last-error value.
const MsiFunctions* Msi() {
    static MsiFunctions functions{};
    static const bool bound =
        Bind("MsiGetSummaryInformationW", functions.getSummaryInformation) &&
        Bind("MsiSummaryInfoGetPropertyW", functions.summaryInfoGetProperty) &&
        Bind("MsiCloseHandle", functions.closeHandle) &&
        Bind("MsiQueryProductStateW", functions.queryProductState) &&
        Bind("MsiGetProductInfoW", functions.getProductInfo) &&
        Bind("MsiConfigureProductExW", functions.configureProductEx) &&
        Bind("MsiSetInternalUI", functions.setInternalUI) &&
        Bind("MsiEnableLogW", functions.enableLog);
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
