#include "installer/product_facts.h"

#include "base/heap_array.h"
#include "installer/windows_installer.h"

namespace {

// Values of up to 1023 characters fit; the installer fails longer ones.
constexpr DWORD kQueryCharacters = 1024;

// One property into the shared buffer. A failed query may leave the buffer
// as it was, so its text is never read then.
Text QueryProperty(const Text& productCode, const wchar_t* property,
                           HeapArray<wchar_t>& buffer) {
    DWORD size = kQueryCharacters;
    buffer[0] = L'\0';
    if (InstallerGetProductInfo(productCode.c_str(), property, buffer.data(), &size) !=
        ERROR_SUCCESS) {
        return Text();
    }
    return Text(buffer.data(), wcsnlen(buffer.data(), buffer.size()));
}

}  // namespace

bool IsProductInstalled(const Text& productCode) {
    const INSTALLSTATE state = InstallerQueryProductState(productCode.c_str());
    return state == INSTALLSTATE_ADVERTISED || state == INSTALLSTATE_DEFAULT;
}

Text ReadInstalledVersion(const Text& productCode) {
    HeapArray<wchar_t> buffer(kQueryCharacters);
    return QueryProperty(productCode, L"VersionString", buffer);
}

bool ReadProductInfo(const Text& productCode, Text& productName,
                     Text& language) {
    HeapArray<wchar_t> buffer(kQueryCharacters);
    productName = QueryProperty(productCode, L"ProductName", buffer);
    language = QueryProperty(productCode, L"Language", buffer);
    return true;
}
