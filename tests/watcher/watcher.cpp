#include "tests/watcher/watcher.h"

#include <cstdio>

#include "tests/watcher/box_style.h"

namespace {

constexpr DWORD kPollMs = 20;
constexpr DWORD kStyleWaitMs = 2000;

bool SameNameIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// The watcher's environment with the request's changes, as a block for
// CreateProcessW.
std::vector<wchar_t> MakeEnvironment(const WatchRequest& request) {
    std::vector<std::wstring> entries;
    if (wchar_t* block = GetEnvironmentStringsW()) {
        for (const wchar_t* entry = block; *entry != L'\0'; entry += wcslen(entry) + 1) {
            entries.emplace_back(entry);
        }
        FreeEnvironmentStringsW(block);
    }
    for (const auto& [name, value] : request.environment) {
        std::vector<std::wstring> kept;
        for (auto& entry : entries) {
            // "=C:=C:\..." entries start with "=": their name runs to the second "=".
            const std::size_t equals = entry.find(L'=', 1);
            if (!SameNameIgnoringCase(entry.substr(0, equals), name)) kept.push_back(entry);
        }
        if (value) kept.push_back(name + L"=" + *value);
        entries = std::move(kept);
    }
    std::vector<wchar_t> block;
    for (const auto& entry : entries) {
        block.insert(block.end(), entry.begin(), entry.end());
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

struct BoxSearch {
    DWORD processId;
    HWND box;
};

BOOL CALLBACK FindBox(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<BoxSearch*>(context);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    wchar_t className[16];
    if (processId == search->processId && IsWindowVisible(window) &&
        GetClassNameW(window, className, 16) > 0 && lstrcmpW(className, L"#32770") == 0) {
        search->box = window;
        return FALSE;
    }
    return TRUE;
}

// The box's text is the static control that is not its icon.
std::wstring BoxText(HWND box) {
    for (HWND child = nullptr; (child = FindWindowExW(box, child, L"Static", nullptr));) {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) return WindowText(child);
    }
    return std::wstring();
}

MessageBoxRecord ReadBox(HWND box) {
    MessageBoxRecord record;
    for (DWORD waited = 0; waited < kStyleWaitMs; waited += kPollMs) {
        record.styleKnown = DecodeBoxStyle(GetPropW(box, kBoxStyleProperty), record.style);
        if (record.styleKnown) break;
        Sleep(kPollMs);
    }
    record.caption = WindowText(box);
    record.text = BoxText(box);
    return record;
}

std::wstring HookPath() {
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    std::wstring path(buffer, length);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"boxhook.dll";
}

}  // namespace

std::wstring QuoteArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        return argument;
    }
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are doubled, and the quote escaped.
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}

WatchedRun RunAndWatch(const WatchRequest& request) {
    WatchedRun run;

    std::wstring commandLine = QuoteArgument(request.program);
    for (const auto& argument : request.arguments) commandLine += L" " + QuoteArgument(argument);
    std::vector<wchar_t> environment = MakeEnvironment(request);

    const HMODULE hook = LoadLibraryW(HookPath().c_str());
    const auto hookProc =
        hook ? reinterpret_cast<HOOKPROC>(
                   reinterpret_cast<void (*)()>(GetProcAddress(hook, "BoxHookProc")))
             : nullptr;

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // Wine now and then fails to start a process under load; a program that
    // cannot be started at all fails every time.
    for (int attempt = 1;; ++attempt) {
        if (CreateProcessW(request.program.c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                           CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT, environment.data(),
                           request.workingFolder.empty() ? nullptr : request.workingFolder.c_str(),
                           &startup, &process)) {
            break;
        }
        run.startError = GetLastError();
        if (attempt == 3) {
            if (hook) FreeLibrary(hook);
            return run;
        }
        fwprintf(stderr, L"watcher: starting %ls failed with error %lu; trying again\n",
                 request.program.c_str(), run.startError);
        Sleep(200);
    }
    run.startError = ERROR_SUCCESS;
    run.started = true;

    // Hooked before the program runs, so that no box escapes the hook.
    const HHOOK hookHandle =
        hookProc ? SetWindowsHookExW(WH_CALLWNDPROCRET, hookProc, hook, process.dwThreadId)
                 : nullptr;
    ResumeThread(process.hThread);

    const ULONGLONG deadline = GetTickCount64() + request.timeoutMs;
    while (WaitForSingleObject(process.hProcess, kPollMs) == WAIT_TIMEOUT) {
        if (GetTickCount64() > deadline) {
            run.timedOut = true;
            TerminateProcess(process.hProcess, ERROR_TIMEOUT);
            WaitForSingleObject(process.hProcess, INFINITE);
            break;
        }
        BoxSearch search{process.dwProcessId, nullptr};
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (search.box == nullptr) continue;

        run.boxes.push_back(ReadBox(search.box));
        if (request.onBox) request.onBox(run.boxes.back());
        PostMessageW(search.box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        // One box at a time: the next is looked for once this one is gone.
        while (IsWindow(search.box) &&
               WaitForSingleObject(process.hProcess, kPollMs) == WAIT_TIMEOUT &&
               GetTickCount64() <= deadline) {
        }
    }

    GetExitCodeProcess(process.hProcess, &run.exitCode);
    if (hookHandle) UnhookWindowsHookEx(hookHandle);
    if (hook) FreeLibrary(hook);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}
