// A hostile msi.dll, planted beside an exe by the tests: when any process
// loads it, it leaves the file "planted-msi-loaded" beside itself.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t path[MAX_PATH + 32];
        DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
        while (length > 0 && path[length - 1] != L'\\') --length;
        lstrcpyW(path + length, L"planted-msi-loaded");
        const HANDLE marker =
            CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
    }
    return TRUE;
}

// The one function the control program imports.
extern "C" __declspec(dllexport) UINT WINAPI MsiCloseHandle(unsigned long) { return 0; }
