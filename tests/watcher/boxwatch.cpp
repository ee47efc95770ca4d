// boxwatch [-C FOLDER] [-E NAME=VALUE] [-U NAME] [-T SECONDS] [-W SECONDS] PROGRAM [ARGS...]
// Runs PROGRAM with its arguments, prints each message box it shows as the
// box appears (caption, style and text), presses OK, and ends with the
// program's exit code. Output is UTF-8. -W leaves each box on the screen
// that long before OK is pressed, for a person or a screenshot to see.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/support/utf8_output.h"
#include "tests/watcher/watcher.h"

namespace {

int Usage() {
    PrintUtf8(
        L"usage: boxwatch [-C FOLDER] [-E NAME=VALUE] [-U NAME] [-T SECONDS] [-W SECONDS] "
        L"PROGRAM [ARGS...]\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    WatchRequest request;
    DWORD showMs = 0;
    int i = 1;
    for (; i + 1 < argc && argv[i][0] == L'-'; i += 2) {
        const std::wstring option = argv[i];
        const std::wstring value = argv[i + 1];
        if (option == L"-C") {
            request.workingFolder = value;
        } else if (option == L"-E" && value.find(L'=') != std::wstring::npos) {
            request.environment.emplace_back(value.substr(0, value.find(L'=')),
                                             value.substr(value.find(L'=') + 1));
        } else if (option == L"-U") {
            request.environment.emplace_back(value, std::nullopt);
        } else if (option == L"-T") {
            request.timeoutMs = static_cast<DWORD>(_wtoi(value.c_str())) * 1000;
        } else if (option == L"-W") {
            showMs = static_cast<DWORD>(_wtoi(value.c_str())) * 1000;
        } else {
            return Usage();
        }
    }
    if (i >= argc) return Usage();
    request.program = argv[i];
    for (++i; i < argc; ++i) request.arguments.emplace_back(argv[i]);

    request.onBox = [showMs](const MessageBoxRecord& box) {
        wchar_t style[32];
        if (box.styleKnown) {
            swprintf(style, 32, L"0x%05X", box.style);
        } else {
            wcscpy(style, L"unknown");
        }
        PrintUtf8(L"[box] " + box.caption + L" (style " + style + L")\n" + box.text + L"\n");
        Sleep(showMs);
    };

    const WatchedRun run = RunAndWatch(request);
    if (!run.started) {
        PrintUtf8(L"boxwatch: cannot start " + request.program + L": error " +
              std::to_wstring(run.startError) + L"\n");
        return 1;
    }
    if (run.timedOut) PrintUtf8(L"boxwatch: timed out; the program was ended\n");
    PrintUtf8(L"[exit] " + std::to_wstring(run.exitCode) + L"\n");
    return run.timedOut ? 1 : 0;
}
