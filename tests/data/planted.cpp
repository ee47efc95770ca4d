// A hostile DLL, planted beside an exe by the tests under the name of a DLL
// that the exe or Windows loads: when any process loads it, it leaves the
// file "<its own path>.loaded" beside itself.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t path[MAX_PATH + 8];
        const DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
        if (length > 0 && length < MAX_PATH) {
            lstrcpyW(path + length, L".loaded");
            const HANDLE marker =
                CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
        }
    }
    return TRUE;
}

// The one function the control program imports from msi.dll.
extern "C" __declspec(dllexport) UINT WINAPI MsiCloseHandle(unsigned long) { return 0; }
