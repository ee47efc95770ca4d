// Loaded by Windows into the watched process: when a message box is set up,
// it leaves the box's MB_* style on the box window as the property
// "boxwatch.style", where the watcher can read it. The style (icon, flags)
// is not visible from outside the process any other way.
#include <windows.h>

#include "tests/watcher/box_style.h"

extern "C" __declspec(dllexport) LRESULT CALLBACK BoxHookProc(int code, WPARAM wParam,
                                                               LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        wchar_t className[16];
        if (message->message == WM_INITDIALOG &&
            GetClassNameW(message->hwnd, className, 16) > 0 &&
            lstrcmpW(className, L"#32770") == 0 && message->lParam != 0) {
            // A message box's dialog is initialised with its MSGBOXPARAMSW.
            const auto* params = reinterpret_cast<const MSGBOXPARAMSW*>(message->lParam);
            if (params->cbSize == sizeof(MSGBOXPARAMSW)) {
                SetPropW(message->hwnd, kBoxStyleProperty, EncodeBoxStyle(params->dwStyle));
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
