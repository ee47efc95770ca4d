#pragma once

#include <windows.h>

// MessageBoxW with no owner window, from user32.dll bound out of the system
// folder. 0 when the box cannot be shown.
int ShowMessageBox(const wchar_t* text, const wchar_t* caption, UINT flags);
