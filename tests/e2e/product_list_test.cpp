// "/i": the embedded patch's target product codes in one box.
#include <gtest/gtest.h>

#include <string>

#include "installer/patch_targets.h"
#include "tests/support/installer_fixtures.h"
#include "tests/support/scratch.h"
#include "tests/watcher/watcher.h"

namespace {

std::wstring EmbeddedTargets() {
    std::wstring targets;
    EXPECT_TRUE(ReadPatchTargets(ModuleFolder() + L"\\package.msp", targets));
    return targets;
}

WatchedRun RunExe(const std::wstring& exe, const std::vector<std::wstring>& arguments,
                  const std::wstring& folder, const std::wstring& tmp) {
    WatchRequest request;
    request.program = exe;
    request.arguments = arguments;
    request.workingFolder = folder;
    request.environment = {{L"TMP", tmp}, {L"TEMP", tmp}};
    WatchedRun run = RunAndWatch(request);
    EXPECT_TRUE(run.started) << run.startError;
    EXPECT_FALSE(run.timedOut);
    return run;
}

bool IsEmptyFolder(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    bool empty = true;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring leaf = entry.cFileName;
            if (leaf != L"." && leaf != L"..") empty = false;
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    return empty;
}

class ProductListTest : public testing::TestWithParam<std::vector<std::wstring>> {};

TEST_P(ProductListTest, ShowsTheTargetListAndLeavesNoTemporaryFile) {
    const ScratchFolder scratch;
    ASSERT_TRUE(CreateDirectoryW((scratch / L"tmp").c_str(), nullptr));
    const std::wstring targets = EmbeddedTargets();
    ASSERT_FALSE(targets.empty());

    const WatchedRun run =
        RunExe(ModuleFolder() + L"\\spapply.exe", GetParam(), scratch.path(), scratch / L"tmp");

    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].caption, L"List of Products");
    EXPECT_EQ(run.boxes[0].text, targets);
    ASSERT_TRUE(run.boxes[0].styleKnown);
    EXPECT_EQ(run.boxes[0].style, 0x50000u);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(IsEmptyFolder(scratch / L"tmp"));
    EXPECT_FALSE(PathExists(scratch / L"x.msp")) << "arguments after /i were read";
}

INSTANTIATE_TEST_SUITE_P(CommandLine, ProductListTest,
                         testing::Values(std::vector<std::wstring>{L"/i"},
                                         std::vector<std::wstring>{L"/I", L"/e", L"x.msp"},
                                         std::vector<std::wstring>{L"/q", L"/i"}));

TEST(ProductList, ExtractionThenTheListInOneRun) {
    const ScratchFolder scratch;
    ASSERT_TRUE(CreateDirectoryW((scratch / L"tmp").c_str(), nullptr));

    const WatchedRun run = RunExe(ModuleFolder() + L"\\spapply.exe", {L"/e", L"x.msp", L"/i"},
                               scratch.path(), scratch / L"tmp");

    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].text, EmbeddedTargets());
    std::string extracted;
    std::string package;
    ASSERT_TRUE(ReadWholeFile(scratch / L"x.msp", extracted));
    ASSERT_TRUE(ReadWholeFile(ModuleFolder() + L"\\package.msp", package));
    EXPECT_TRUE(extracted == package);
}

TEST(ProductList, APackageThatCannotBeReadShowsAnEmptyList) {
    const ScratchFolder scratch;
    ASSERT_TRUE(CreateDirectoryW((scratch / L"tmp").c_str(), nullptr));
    const std::wstring exe = scratch / L"spapply.exe";
    ASSERT_TRUE(MakeExeWithPackage(exe, "this is not a compound file"));

    const WatchedRun run = RunExe(exe, {L"/i"}, scratch.path(), scratch / L"tmp");

    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].caption, L"List of Products");
    EXPECT_EQ(run.boxes[0].text, L"");
}

}  // namespace
