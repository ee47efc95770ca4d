// showbox EXIT_CODE [STYLE CAPTION TEXT]...
//   Shows one message box for each triple of arguments, in order (STYLE in
//   hexadecimal), then exits with EXIT_CODE.
// showbox --sleep MILLISECONDS
//   Shows nothing and takes that long to end.
// The watcher's tests run it.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && wcscmp(argv[1], L"--sleep") == 0) {
        Sleep(static_cast<DWORD>(_wtoi(argv[2])));
        return 0;
    }
    if (argc < 2 || (argc - 2) % 3 != 0) return 100;
    for (int i = 2; i + 2 < argc; i += 3) {
        const auto style = static_cast<UINT>(wcstoul(argv[i], nullptr, 16));
        MessageBoxW(nullptr, argv[i + 2], argv[i + 1], style);
    }
    return _wtoi(argv[1]);
}
