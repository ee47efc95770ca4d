// product_info CODE...
// Prints, for each product code, what the Windows Installer says of it:
// its name, language and VersionString, or that it is not installed. UTF-8.
#include <windows.h>
#include <msi.h>

#include <string>

#include "tests/support/utf8_output.h"

namespace {

std::wstring Property(const wchar_t* code, const wchar_t* name) {
    wchar_t value[1024] = L"";
    DWORD size = 1024;
    return MsiGetProductInfoW(code, name, value, &size) == ERROR_SUCCESS ? value : L"?";
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    for (int i = 1; i < argc; ++i) {
        const INSTALLSTATE state = MsiQueryProductStateW(argv[i]);
        if (state != INSTALLSTATE_DEFAULT && state != INSTALLSTATE_ADVERTISED) {
            PrintUtf8(std::wstring(L"  ") + argv[i] + L"  not installed\n");
            continue;
        }
        PrintUtf8(std::wstring(L"  ") + argv[i] + L"  " + Property(argv[i], L"ProductName") +
              L" (language " + Property(argv[i], L"Language") + L")  version " +
              Property(argv[i], L"VersionString") + L"\n");
    }
    return 0;
}
