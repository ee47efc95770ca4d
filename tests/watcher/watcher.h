#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// One message box that the watched process showed.
struct MessageBoxRecord {
    std::wstring caption;
    std::wstring text;
    bool styleKnown = false;  // false when the hook could not report it
    UINT style = 0;           // the MB_* flags handed to the box

    UINT icon() const { return style & MB_ICONMASK; }
};

struct WatchRequest {
    std::wstring program;
    std::vector<std::wstring> arguments;
    std::wstring workingFolder;  // empty: the watcher's own
    // Changes to the watcher's environment: a value sets, no value removes.
    std::vector<std::pair<std::wstring, std::optional<std::wstring>>> environment;
    DWORD timeoutMs = 120000;
    // Called for each box as it appears, before the watcher presses OK.
    std::function<void(const MessageBoxRecord&)> onBox;
};

struct WatchedRun {
    bool started = false;
    DWORD startError = 0;  // why the program did not start
    bool timedOut = false;  // the program was ended after the timeout
    DWORD exitCode = 0;
    std::vector<MessageBoxRecord> boxes;  // in the order they appeared
};

// Starts the program, records every message box it shows (caption, text,
// style), presses OK on each, and returns when the program has ended.
WatchedRun RunAndWatch(const WatchRequest& request);

// Quotes one argument so that CommandLineToArgvW gives it back unchanged.
std::wstring QuoteArgument(const std::wstring& argument);
