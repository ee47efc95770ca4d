// Generated command lines through the real exe, checked against a small
// model of the option rule written apart from the program's own parser.
// SPAPPLY_RELIABILITY_INPUTS sets how many (the default is a quick set) and
// SPAPPLY_RELIABILITY_SEED the seed.
#include <gtest/gtest.h>

#include <windows.h>

#include <random>
#include <string>
#include <vector>

#include "tests/reliability/tally.h"
#include "tests/support/scratch.h"
#include "tests/watcher/watcher.h"

namespace {

// What the command line asks for, by the rule: whole arguments, A to Z
// folded; /e, /p and /l take the next argument; /i ends the reading.
struct Road {
    bool quiet = false;
    bool runPatch = true;
    bool extract = false;
    std::wstring extractPath;
    bool patchList = false;
    std::wstring patchListPath;
    bool list = false;
    std::wstring logPath;
};

bool Is(const std::wstring& argument, const wchar_t* option) {
    std::wstring folded = argument;
    for (wchar_t& c : folded) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return folded == option;
}

Road Model(const std::vector<std::wstring>& arguments) {
    Road road;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& a = arguments[i];
        const bool hasNext = i + 1 < arguments.size();
        if (Is(a, L"/q")) {
            road.quiet = true;
        } else if (Is(a, L"/e")) {
            road.extract = true;
            road.runPatch = false;
            if (hasNext) road.extractPath = arguments[++i];
        } else if (Is(a, L"/p")) {
            road.patchList = true;
            road.runPatch = false;
            if (hasNext) road.patchListPath = arguments[++i];
        } else if (Is(a, L"/l")) {
            if (hasNext) road.logPath = arguments[++i];
        } else if (Is(a, L"/i")) {
            road.list = true;
            road.runPatch = false;
            break;
        }
    }
    return road;
}

const std::vector<std::wstring> kVocabulary = {
    L"/q", L"/Q", L"/e", L"/E", L"/p", L"/P", L"/i", L"/I", L"/l", L"/L",
    L"-q", L"/quiet", L"-e", L"/ee", L"/\u00e9", L"q", L"",
    L"a.msp", L"b.txt", L"spaces in name.msp", L"\u00fc-\u540d\u524d.msp",
    std::wstring(200, L'x'), L"missing\\c.msp", L"sub dir\\..\\d.msp",
};

std::vector<std::wstring> Generate(std::mt19937& random) {
    std::uniform_int_distribution<std::size_t> length(0, 6);
    std::uniform_int_distribution<std::size_t> pick(0, kVocabulary.size() - 1);
    std::vector<std::wstring> arguments(length(random));
    for (auto& argument : arguments) argument = kVocabulary[pick(random)];
    return arguments;
}

// Where a path the exe was given lands, from the folder it ran in.
std::wstring Resolve(const std::wstring& folder, const std::wstring& path) {
    wchar_t saved[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, saved);
    SetCurrentDirectoryW(folder.c_str());
    wchar_t full[1024];
    const DWORD length = GetFullPathNameW(path.c_str(), 1024, full, nullptr);
    SetCurrentDirectoryW(saved);
    return std::wstring(full, length);
}

bool Writable(const std::wstring& path) { return path.find(L"missing\\") == std::wstring::npos; }

std::string Describe(const std::vector<std::wstring>& arguments) {
    std::string text;
    for (const auto& argument : arguments) {
        text += "[" + std::string(argument.begin(), argument.begin() + std::min<std::size_t>(argument.size(), 20)) + "] ";
    }
    return text;
}

TEST(Reliability, GeneratedCommandLinesFollowTheOptionRule) {
    const ScratchFolder scratch;
    std::string package;
    package = BuiltPackage();
    const std::string block = "*****\r\n" + PatchListEntry(ModuleFolder() + L"\\spapply.exe") + "\r\n";
    std::mt19937 random(ReliabilitySeed());
    Tally tally("command lines");

    for (int n = 0; n < ReliabilityInputs(150); ++n) {
        const std::vector<std::wstring> arguments = Generate(random);
        SCOPED_TRACE(Describe(arguments));
        const Road road = Model(arguments);
        const std::wstring folder = scratch / (L"run" + std::to_wstring(n));
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW((folder + L"\\tmp").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW((folder + L"\\sub dir").c_str(), nullptr));
        ASSERT_TRUE(WriteWholeFile(folder + L"\\sentinel.dat", "must not change"));
        // Options taken as paths name files at the root of the drive.
        for (const auto& path : {road.extractPath, road.patchListPath, road.logPath}) {
            if (!path.empty()) DeleteFileW(Resolve(folder, path).c_str());
        }

        WatchRequest request;
        request.program = ModuleFolder() + L"\\spapply.exe";
        request.arguments = arguments;
        request.workingFolder = folder;
        request.environment = {{L"TMP", folder + L"\\tmp"}, {L"TEMP", folder + L"\\tmp"}};
        request.timeoutMs = 60000;
        const WatchedRun run = RunAndWatch(request);
        ASSERT_TRUE(run.started);
        tally.Count(run);

        std::string sentinel;
        ReadWholeFile(folder + L"\\sentinel.dat", sentinel);
        tally.Lost(sentinel == "must not change" ? 0 : 15);

        std::vector<std::wstring> boxes;
        for (const auto& box : run.boxes) boxes.push_back(box.caption);
        std::vector<std::wstring> expectedBoxes;
        DWORD expectedExit = 0;
        if (road.runPatch) {
            if (!road.quiet) expectedBoxes.push_back(L"Installation Error");  // no target product
            expectedExit = ERROR_PATCH_TARGET_NOT_FOUND;
            if (!road.logPath.empty() && Writable(road.logPath)) {
                EXPECT_TRUE(PathExists(Resolve(folder, road.logPath))) << "no log";
            }
        } else {
            std::string expected;  // what the one file both actions may name holds
            if (road.extract) {
                if (road.extractPath.empty()) {
                    std::string temporary;
                    EXPECT_TRUE(ReadWholeFile(folder + L"\\tmp\\MSP2", temporary) && temporary == package);
                } else if (Writable(road.extractPath)) {
                    expected = package;
                    std::string written;
                    EXPECT_TRUE(ReadWholeFile(Resolve(folder, road.extractPath), written) && written == package)
                        << "not extracted";
                } else {
                    expectedExit = ERROR_PATH_NOT_FOUND;
                }
            }
            if (road.patchList) {
                const std::wstring path = road.patchListPath.empty() ? L"patchlist7A3F.txt" : road.patchListPath;
                if (Writable(path)) {
                    const bool same = road.extract && !road.extractPath.empty() &&
                                      Resolve(folder, road.extractPath) == Resolve(folder, path);
                    std::string written;
                    EXPECT_TRUE(ReadWholeFile(Resolve(folder, path), written) &&
                                written == (same ? expected : std::string()) + block)
                        << "patch list not as expected";
                } else {
                    if (!road.quiet) expectedBoxes.push_back(L"Installation Error");
                    if (expectedExit == 0) expectedExit = ERROR_PATH_NOT_FOUND;
                }
            }
            if (road.list) expectedBoxes.push_back(L"List of Products");
        }
        EXPECT_EQ(boxes, expectedBoxes);
        EXPECT_EQ(run.exitCode, expectedExit);

        for (const auto& path : {road.extractPath, road.patchListPath, road.logPath}) {
            if (!path.empty()) DeleteFileW(Resolve(folder, path).c_str());
        }
        RemoveTree(folder);
    }
    tally.Report();
    EXPECT_TRUE(tally.Clean());
}

}  // namespace
