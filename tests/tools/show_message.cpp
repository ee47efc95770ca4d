// show_message MODULE LCID ID LAST_ERROR PRODUCT_NAME [/q]
// Loads MODULE (an exe) for its string table, sets the thread locale, the
// product name and the last-error value, and calls ShowMessage(ID). Exits
// with the thread's last-error value as ShowMessage left it.
#include <windows.h>

#include <cwchar>

#include "app/run_state.h"
#include "messages/show_message.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 6 && argc != 7) return 1000;
    g_hInstance = LoadLibraryExW(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (g_hInstance == nullptr) return 1001;
    SetThreadLocale(wcstoul(argv[2], nullptr, 10));
    g_productName = argv[5];
    g_quiet = argc == 7 && wcscmp(argv[6], L"/q") == 0;

    SetLastError(wcstoul(argv[4], nullptr, 10));
    ShowMessage(wcstoul(argv[3], nullptr, 10));
    return static_cast<int>(GetLastError());
}
