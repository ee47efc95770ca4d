// The real spapply.exe under Wine, through the message-box watcher.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/run.h"
#include "tests/support/scratch.h"
#include "tests/watcher/watcher.h"

namespace {

WatchedRun RunSpapply(const std::vector<std::wstring>& arguments, const std::wstring& folder) {
    return RunIn(folder, ModuleFolder() + L"\\spapply.exe", arguments);
}

struct ExtractCase {
    const char* name;
    std::vector<std::wstring> arguments;
    std::vector<std::wstring> written;  // hold the package afterwards
    std::vector<std::wstring> absent;   // do not exist afterwards
    DWORD exitCode = 0;
};

class ExtractOptionTest : public testing::TestWithParam<ExtractCase> {};

TEST_P(ExtractOptionTest, WritesWhatTheOptionsSayAndShowsNothing) {
    const ExtractCase& c = GetParam();
    const ScratchFolder scratch;
    ASSERT_TRUE(CreateDirectoryW((scratch / L"tmp").c_str(), nullptr));

    const WatchedRun run = RunSpapply(c.arguments, scratch.path());

    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_TRUE(run.boxes.empty()) << run.boxes.size() << " boxes, the first: "
                                   << testing::PrintToString(run.boxes.front().text);
    const std::string package = BuiltPackage();
    for (const auto& leaf : c.written) {
        std::string bytes;
        EXPECT_TRUE(ReadWholeFile(scratch / leaf, bytes)) << testing::PrintToString(leaf);
        EXPECT_TRUE(bytes == package) << testing::PrintToString(leaf) << " differs";
    }
    for (const auto& leaf : c.absent) {
        EXPECT_FALSE(PathExists(scratch / leaf)) << testing::PrintToString(leaf);
    }
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, ExtractOptionTest,
    testing::Values(
        ExtractCase{"GivenPath", {L"/e", L"out.msp"}, {L"out.msp"}, {L"tmp\\MSP2"}},
        ExtractCase{"UpperCaseOption", {L"/E", L"out.msp"}, {L"out.msp"}, {}},
        ExtractCase{"UnknownArgumentsIgnored", {L"-q", L"/x", L"/e", L"out.msp", L"/quiet"},
                    {L"out.msp"}, {}},
        ExtractCase{"ALaterBareExtractKeepsThePath", {L"/e", L"a.msp", L"/e"}, {L"a.msp"},
                    {L"tmp\\MSP2"}},
        // No box, but the exit code tells: the path was not found.
        ExtractCase{"MissingFolderShowsNothing", {L"/e", L"missing\\out.msp"}, {}, {L"missing"},
                    ERROR_PATH_NOT_FOUND}),
    [](const testing::TestParamInfo<ExtractCase>& info) { return info.param.name; });

TEST(ExtractOption, WithoutAPathWritesMSP2ThenMSP3InTheTemporaryFolder) {
    const ScratchFolder scratch;
    ASSERT_TRUE(CreateDirectoryW((scratch / L"tmp").c_str(), nullptr));
    const std::string package = BuiltPackage();

    for (const wchar_t* expected : {L"tmp\\MSP2", L"tmp\\MSP3"}) {
        const WatchedRun run = RunSpapply({L"/e"}, scratch.path());
        EXPECT_EQ(run.exitCode, 0u);
        EXPECT_TRUE(run.boxes.empty());
        std::string bytes;
        ASSERT_TRUE(ReadWholeFile(scratch / expected, bytes)) << testing::PrintToString(expected);
        EXPECT_TRUE(bytes == package);
    }
    EXPECT_FALSE(PathExists(scratch / L"tmp\\MSP4"));
}

TEST(ExtractOption, TakesTheNextArgumentAsItsPathEvenWhenItIsAnOption) {
    const ScratchFolder scratch;
    // "/q" after "/e" is a path: the file q at the root of the current drive.
    const std::wstring written = scratch.path().substr(0, 2) + L"\\q";
    RemoveTree(written);

    const WatchedRun run = RunSpapply({L"/e", L"/q"}, scratch.path());

    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(written, bytes));
    EXPECT_TRUE(bytes == BuiltPackage());
    EXPECT_EQ(run.exitCode, 0u);
    RemoveTree(written);
}

}  // namespace
