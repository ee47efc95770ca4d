#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/options.h"
#include "app/run_state.h"
#include "tests/support/text_support.h"

namespace {

TEST(MatchesOption, FoldsOnlyTheLettersAToZ) {
    struct Case {
        const wchar_t* argument;
        const wchar_t* option;
        bool matches;
    };
    const Case cases[] = {
        {L"/q", L"/q", true},
        {L"/Q", L"/q", true},
        {L"/E", L"/e", true},
        {L"-q", L"/q", false},
        {L"/q:", L"/q", false},
        {L"/quiet", L"/q", false},
        {L"/", L"/q", false},
        {L"", L"/q", false},
        {L" /q", L"/q", false},
        {L"\\q", L"/q", false},
        {L"/\u0130", L"/i", false},  // capital I with dot above
        {L"/\uFF51", L"/q", false},  // fullwidth q
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchesOption(c.argument, c.option), c.matches)
            << "argument \"" << testing::PrintToString(std::wstring(c.argument)) << "\"";
    }
}

struct ParseCase {
    const char* name;
    std::vector<std::wstring> arguments;  // after the program's path
    bool quiet;
    bool runPatch;
    bool extractMode;
    std::wstring extractPath;
    bool patchListMode;
    std::wstring patchListPath;
    bool listMode;
};

class ParseArgumentsTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseArgumentsTest, FillsTheRunState) {
    const ParseCase& c = GetParam();
    std::vector<const wchar_t*> argv{L"C:\\sp\\spapply.exe"};
    for (const auto& argument : c.arguments) argv.push_back(argument.c_str());
    g_listMode = false;

    ParseArguments(static_cast<int>(argv.size()), argv.data());

    EXPECT_EQ(g_quiet, c.quiet);
    EXPECT_EQ(g_runPatch, c.runPatch);
    EXPECT_EQ(g_extractMode, c.extractMode);
    EXPECT_EQ(g_extractPath, c.extractPath);
    EXPECT_EQ(g_patchListMode, c.patchListMode);
    EXPECT_EQ(g_patchListPath, c.patchListPath);
    EXPECT_EQ(g_listMode, c.listMode);
}

// name, arguments, quiet, runPatch, extract, extractPath, patchList, patchListPath, list
INSTANTIATE_TEST_SUITE_P(
    Options, ParseArgumentsTest,
    testing::Values(
        ParseCase{"None", {}, false, true, false, L"", false, L"", false},
        ParseCase{"Quiet", {L"/q"}, true, true, false, L"", false, L"", false},
        ParseCase{"QuietUpperCase", {L"/Q"}, true, true, false, L"", false, L"", false},
        ParseCase{"DashIsNoOption", {L"-q"}, false, true, false, L"", false, L"", false},
        ParseCase{"UnknownIgnored", {L"/x", L"foo", L"/quiet"}, false, true, false, L"", false,
                  L"", false},
        ParseCase{"ExtractThenPatchList", {L"/e", L"out.msp", L"/p", L"list.txt"}, false, false,
                  true, L"out.msp", true, L"list.txt", false},
        ParseCase{"ExtractSwallowsAnOption", {L"/e", L"/q"}, false, false, true, L"/q", false,
                  L"", false},
        ParseCase{"PatchListSwallowsAnOption", {L"/P", L"/i"}, false, false, false, L"", true,
                  L"/i", false},
        ParseCase{"ExtractLastKeepsEarlierPath", {L"/e", L"a.msp", L"/e"}, false, false, true,
                  L"a.msp", false, L"", false},
        ParseCase{"ExtractTwiceTakesTheLater", {L"/e", L"a.msp", L"/E", L"b.msp"}, false, false,
                  true, L"b.msp", false, L"", false},
        ParseCase{"ExtractAloneHasNoPath", {L"/e"}, false, false, true, L"", false, L"", false},
        ParseCase{"ExtractEmptyArgument", {L"/e", L""}, false, false, true, L"", false, L"",
                  false},
        ParseCase{"PatchListLast", {L"/q", L"/p"}, true, false, false, L"", true, L"", false},
        ParseCase{"ExtractThenList", {L"/e", L"x.msp", L"/i"}, false, false, true, L"x.msp",
                  false, L"", true},
        ParseCase{"ListStopsTheParse", {L"/i", L"/e", L"x.msp", L"/q"}, false, false, false, L"",
                  false, L"", true},
        ParseCase{"QuietThenList", {L"/q", L"/I"}, true, false, false, L"", false, L"", true},
        ParseCase{"PathsKeptVerbatim",
                  {L"/e", L"C:\\a b\\\u00e9t\u00e9.msp", L"/p", L"\\\\srv\\share\\l.txt"}, false,
                  false, true, L"C:\\a b\\\u00e9t\u00e9.msp", true, L"\\\\srv\\share\\l.txt",
                  false}),
    [](const testing::TestParamInfo<ParseCase>& info) { return info.param.name; });

TEST(ParseArguments, LogTakesTheNextArgumentAndLeavesTheRoadAlone) {
    struct Case {
        std::vector<const wchar_t*> argv;
        std::wstring logPath;
        bool runPatch;
    };
    const Case cases[] = {
        {{L"sp.exe", L"/l", L"run.log"}, L"run.log", true},
        {{L"sp.exe", L"/q", L"/L", L"/q"}, L"/q", true},
        {{L"sp.exe", L"/l"}, L"", true},
        {{L"sp.exe", L"/e", L"x.msp", L"/l", L"C:\\logs\\a b.log"}, L"C:\\logs\\a b.log", false},
        {{L"sp.exe", L"/i", L"/l", L"run.log"}, L"", false},
    };
    for (const Case& c : cases) {
        g_logPath = L"stale";
        ParseArguments(static_cast<int>(c.argv.size()), c.argv.data());
        EXPECT_EQ(g_logPath, c.logPath);
        EXPECT_EQ(g_runPatch, c.runPatch);
    }
    g_listMode = false;
}

TEST(ParseArguments, ResetsEveryOptionButTheListModeAndSkipsTheProgramPath) {
    g_quiet = true;
    g_extractMode = true;
    g_extractPath = L"old.msp";
    g_patchListMode = true;
    g_patchListPath = L"old.txt";
    g_runPatch = false;
    g_listMode = true;
    const wchar_t* argv[] = {L"/q"};  // the program's path is never an option

    ParseArguments(1, argv);

    EXPECT_FALSE(g_quiet);
    EXPECT_FALSE(g_extractMode);
    EXPECT_EQ(g_extractPath, L"");
    EXPECT_FALSE(g_patchListMode);
    EXPECT_EQ(g_patchListPath, L"");
    EXPECT_TRUE(g_runPatch);
    EXPECT_TRUE(g_listMode);
    g_listMode = false;
}

}  // namespace
