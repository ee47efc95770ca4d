// An exe whose resources are damaged: a package of no bytes, a patch-list
// entry without a line end at its end, a gap in the entries' ids. Every
// action says what failed, and none crashes.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/reliability/tally.h"
#include "tests/support/catalogue.h"
#include "tests/support/scratch.h"
#include "tests/watcher/watcher.h"

namespace {

struct Expected {
    std::vector<std::wstring> arguments;
    std::vector<std::wstring> boxes;  // captions
    bool succeeds;
};

TEST(DamagedResources, EveryActionReportsAndNoneCrashes) {
    const ScratchFolder scratch;
    ASSERT_TRUE(CreateDirectoryW((scratch / L"tmp").c_str(), nullptr));
    const std::wstring exe = ModuleFolder() + L"\\spapply_damaged_resources.exe";
    Tally tally("damaged resources");

    const Expected cases[] = {
        {{}, {L"Installation Error"}, false},          // no package to extract: 300
        {{L"/q"}, {}, false},
        {{L"/i"}, {L"List of Products"}, false},       // an empty list
        {{L"/e", L"out.msp"}, {}, false},
        {{L"/p", L"list.txt"}, {}, true},
        {{L"/p"}, {}, true},                           // patchlist.txt: no list to name it after
    };
    for (const Expected& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        WatchRequest request;
        request.program = exe;
        request.arguments = c.arguments;
        request.workingFolder = scratch.path();
        request.environment = {{L"TMP", scratch / L"tmp"}, {L"TEMP", scratch / L"tmp"}};
        const WatchedRun run = RunAndWatch(request);
        tally.Count(run);
        std::vector<std::wstring> captions;
        for (const auto& box : run.boxes) captions.push_back(box.caption);
        EXPECT_EQ(captions, c.boxes);
        EXPECT_EQ(run.exitCode == 0, c.succeeds) << run.exitCode;
    }

    EXPECT_FALSE(PathExists(scratch / L"out.msp"));
    const std::string block =
        "*****\r\nProductCode={5E1D0C2B-7A3F-4B6E-8D9C-1F2A3B4C5D01}\r\nPatchTitle=no line end\r\n";
    for (const wchar_t* list : {L"list.txt", L"patchlist.txt"}) {
        std::string written;
        ASSERT_TRUE(ReadWholeFile(scratch / list, written)) << testing::PrintToString(std::wstring(list));
        EXPECT_EQ(written, block);  // 206 only: 208 lies behind the gap
    }
    tally.Report();
    EXPECT_TRUE(tally.Clean());
}

}  // namespace
