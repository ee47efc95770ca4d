// The watcher itself: boxes of a known program are recorded as shown.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include "tests/support/scratch.h"
#include "tests/watcher/watcher.h"

namespace {

TEST(Watcher, RecordsEveryBoxInOrderWithItsStyleAndTheExitCode) {
    WatchRequest request;
    request.program = ModuleFolder() + L"\\showbox.exe";
    request.arguments = {L"7",
                         L"50010", L"Installation Error", L"first line\n\nsecond \"quoted\"",
                         L"50040", L"\u30a4\u30f3\u30b9\u30c8\u30fc\u30eb", L"\u5b8c\u4e86 %s",
                         L"0", L"", L""};
    int seen = 0;
    request.onBox = [&](const MessageBoxRecord&) { ++seen; };

    const WatchedRun run = RunAndWatch(request);

    ASSERT_TRUE(run.started) << run.startError;
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(run.exitCode, 7u);
    ASSERT_EQ(run.boxes.size(), 3u);
    EXPECT_EQ(seen, 3);
    EXPECT_EQ(run.boxes[0].caption, L"Installation Error");
    EXPECT_EQ(run.boxes[0].text, L"first line\n\nsecond \"quoted\"");
    ASSERT_TRUE(run.boxes[0].styleKnown);
    EXPECT_EQ(run.boxes[0].style, 0x50010u);
    EXPECT_EQ(run.boxes[0].icon(), static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(run.boxes[1].caption, L"\u30a4\u30f3\u30b9\u30c8\u30fc\u30eb");
    EXPECT_EQ(run.boxes[1].text, L"\u5b8c\u4e86 %s");
    EXPECT_EQ(run.boxes[1].icon(), static_cast<UINT>(MB_ICONINFORMATION));
    ASSERT_TRUE(run.boxes[2].styleKnown);
    EXPECT_EQ(run.boxes[2].style, 0u);
    EXPECT_EQ(run.boxes[2].text, L"");
}

TEST(Watcher, PassesTheWorkingFolderAndEnvironment) {
    const ScratchFolder scratch;
    WatchRequest request;
    request.program = L"C:\\windows\\system32\\cmd.exe";
    request.arguments = {L"/c", L"echo %SPAPPLY_WATCH%>seen.txt& cd>>seen.txt& if defined PATH exit 3"};
    request.workingFolder = scratch.path();
    request.environment = {{L"SPAPPLY_WATCH", L"hello"}, {L"path", std::nullopt}};

    const WatchedRun run = RunAndWatch(request);

    ASSERT_TRUE(run.started) << run.startError;
    EXPECT_EQ(run.exitCode, 0u);
    std::string seen;
    ASSERT_TRUE(ReadWholeFile(scratch / L"seen.txt", seen));
    EXPECT_EQ(seen, "hello\r\n" + std::string(scratch.path().begin(), scratch.path().end()) + "\r\n");
}

TEST(Watcher, EndsAProgramThatOutlivesTheTimeout) {
    WatchRequest request;
    request.program = ModuleFolder() + L"\\showbox.exe";
    request.arguments = {L"--sleep", L"60000"};
    request.timeoutMs = 1000;

    const WatchedRun run = RunAndWatch(request);

    ASSERT_TRUE(run.started);
    EXPECT_TRUE(run.timedOut);
}

TEST(QuoteArgument, RoundTripsThroughTheCommandLineSplitter) {
    const std::wstring cases[] = {L"plain", L"", L"two words", L"tab\there", L"quote\"inside",
                                  L"ends in backslash\\", L"C:\\dir\\", L"\\\\\"", L"\"\""};
    for (const auto& argument : cases) {
        const std::wstring commandLine = L"prog.exe " + QuoteArgument(argument);
        int count = 0;
        wchar_t** argv = CommandLineToArgvW(commandLine.c_str(), &count);
        ASSERT_NE(argv, nullptr);
        EXPECT_EQ(count, 2) << testing::PrintToString(commandLine);
        if (count == 2) {
            EXPECT_EQ(std::wstring(argv[1]), argument);
        }
        LocalFree(argv);
    }
}

}  // namespace
