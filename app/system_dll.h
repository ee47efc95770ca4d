#pragma once

#include <windows.h>

// A function of a Windows DLL, loaded from the system folder only, with the
// DLLs it imports, and kept loaded for the rest of the process. The exe
// imports nothing but kernel32 and the C runtime, which Windows always takes
// from the system folder: every other DLL is bound this way, after the DLL
// search has been restricted, so that none planted beside the exe is loaded.
// Null when it cannot be had; the reason is in the thread's last-error value.
FARPROC BindSystemFunction(const wchar_t* dll, const char* function);

// The same, as a pointer of the function's own type.
template <typename Function>
Function BindSystem(const wchar_t* dll, const char* function) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(BindSystemFunction(dll, function)));
}
