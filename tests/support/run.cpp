#include "tests/support/run.h"

#include <windows.h>

#include <gtest/gtest.h>

WatchedRun RunIn(const std::wstring& folder, const std::wstring& program,
                 const std::vector<std::wstring>& arguments,
                 std::function<void(const MessageBoxRecord&)> onBox) {
    const std::wstring tmp = folder + L"\\tmp";
    CreateDirectoryW(tmp.c_str(), nullptr);
    WatchRequest request;
    request.program = program;
    request.arguments = arguments;
    request.workingFolder = folder;
    request.environment = {{L"TMP", tmp}, {L"TEMP", tmp}};
    request.onBox = std::move(onBox);
    WatchedRun run = RunAndWatch(request);
    EXPECT_TRUE(run.started) << "error " << run.startError;
    EXPECT_FALSE(run.timedOut);
    return run;
}
