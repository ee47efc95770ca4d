// product_info CODE...
// Prints, for each product code, what the Windows Installer says of it:
// its name, language and VersionString, or that it is not installed. UTF-8.
#include <windows.h>
#include <msi.h>

#include <cstdio>
#include <string>

namespace {

std::wstring Property(const wchar_t* code, const wchar_t* name) {
    wchar_t value[1024] = L"";
    DWORD size = 1024;
    return MsiGetProductInfoW(code, name, value, &size) == ERROR_SUCCESS ? value : L"?";
}

void Print(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size,
                        nullptr, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    for (int i = 1; i < argc; ++i) {
        const INSTALLSTATE state = MsiQueryProductStateW(argv[i]);
        if (state != INSTALLSTATE_DEFAULT && state != INSTALLSTATE_ADVERTISED) {
            Print(std::wstring(L"  ") + argv[i] + L"  not installed\n");
            continue;
        }
        Print(std::wstring(L"  ") + argv[i] + L"  " + Property(argv[i], L"ProductName") +
              L" (language " + Property(argv[i], L"Language") + L")  version " +
              Property(argv[i], L"VersionString") + L"\n");
    }
    return 0;
}
