// boxwatch [-C FOLDER] [-E NAME=VALUE] [-U NAME] [-T SECONDS] PROGRAM [ARGS...]
// Runs PROGRAM with its arguments, prints each message box it shows as the
// box appears (caption, style and text), presses OK, and ends with the
// program's exit code. Output is UTF-8.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/watcher/watcher.h"

namespace {

void Print(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size,
                        nullptr, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), stdout);
    fflush(stdout);
}

int Usage() {
    Print(L"usage: boxwatch [-C FOLDER] [-E NAME=VALUE] [-U NAME] [-T SECONDS] PROGRAM [ARGS...]\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    WatchRequest request;
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
        } else {
            return Usage();
        }
    }
    if (i >= argc) return Usage();
    request.program = argv[i];
    for (++i; i < argc; ++i) request.arguments.emplace_back(argv[i]);

    request.onBox = [](const MessageBoxRecord& box) {
        wchar_t style[32];
        if (box.styleKnown) {
            swprintf(style, 32, L"0x%05X", box.style);
        } else {
            wcscpy(style, L"unknown");
        }
        Print(L"[box] " + box.caption + L" (style " + style + L")\n" + box.text + L"\n");
    };

    const WatchedRun run = RunAndWatch(request);
    if (!run.started) {
        Print(L"boxwatch: cannot start " + request.program + L": error " +
              std::to_wstring(run.startError) + L"\n");
        return 1;
    }
    if (run.timedOut) Print(L"boxwatch: timed out; the program was ended\n");
    Print(L"[exit] " + std::to_wstring(run.exitCode) + L"\n");
    return run.timedOut ? 1 : 0;
}
