// "/i": the embedded patch's target product codes in one box.
#include <gtest/gtest.h>

#include <string>

#include "installer/patch_targets.h"
#include "tests/support/installer_fixtures.h"
#include "tests/support/run.h"
#include "tests/support/scratch.h"
#include "tests/support/text_support.h"
#include "tests/watcher/watcher.h"

namespace {

std::wstring EmbeddedTargets() {
    Text targets;
    EXPECT_TRUE(ReadPatchTargets(ToText(ModuleFolder() + L"\\package.msp"), targets));
    return Wide(targets);
}

class ProductListTest : public testing::TestWithParam<std::vector<std::wstring>> {};

TEST_P(ProductListTest, ShowsTheTargetListAndLeavesNoTemporaryFile) {
    const ScratchFolder scratch;
    ASSERT_TRUE(CreateDirectoryW((scratch / L"tmp").c_str(), nullptr));
    const std::wstring targets = EmbeddedTargets();
    ASSERT_FALSE(targets.empty());

    const WatchedRun run =
        RunIn(scratch.path(), ModuleFolder() + L"\\spapply.exe", GetParam());

    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].caption, L"List of Products");
    EXPECT_EQ(run.boxes[0].text, targets);
    ASSERT_TRUE(run.boxes[0].styleKnown);
    EXPECT_EQ(run.boxes[0].style, 0x50000u);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(FolderEntries(scratch / L"tmp").empty());
    EXPECT_FALSE(PathExists(scratch / L"x.msp")) << "arguments after /i were read";
}

INSTANTIATE_TEST_SUITE_P(CommandLine, ProductListTest,
                         testing::Values(std::vector<std::wstring>{L"/i"},
                                         std::vector<std::wstring>{L"/I", L"/e", L"x.msp"},
                                         std::vector<std::wstring>{L"/q", L"/i"}));

TEST(ProductList, ExtractionThenTheListInOneRun) {
    const ScratchFolder scratch;
    ASSERT_TRUE(CreateDirectoryW((scratch / L"tmp").c_str(), nullptr));

    const WatchedRun run =
        RunIn(scratch.path(), ModuleFolder() + L"\\spapply.exe", {L"/e", L"x.msp", L"/i"});

    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].text, EmbeddedTargets());
    std::string extracted;
    std::string package;
    ASSERT_TRUE(ReadWholeFile(scratch / L"x.msp", extracted));
    package = BuiltPackage();
    EXPECT_TRUE(extracted == package);
}

TEST(ProductList, APackageThatCannotBeReadShowsAnEmptyList) {
    const ScratchFolder scratch;
    ASSERT_TRUE(CreateDirectoryW((scratch / L"tmp").c_str(), nullptr));
    const std::wstring exe = scratch / L"spapply.exe";
    ASSERT_TRUE(MakeExeWithPackage(exe, "this is not a compound file"));

    const WatchedRun run = RunIn(scratch.path(), exe, {L"/i"});

    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].caption, L"List of Products");
    EXPECT_EQ(run.boxes[0].text, L"");
}

}  // namespace
