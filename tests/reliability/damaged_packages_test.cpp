// Damaged packages, made from the demo patch, embedded in copies of the
// real exe: "/i" and the patch run never crash or hang, and report what
// they could not read. SPAPPLY_RELIABILITY_INPUTS sets how many random
// damages are tried besides the fixed ones.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "installer/patch_targets.h"
#include "tests/fixtures/patch_writer.h"
#include "tests/reliability/tally.h"
#include "tests/support/installer_fixtures.h"
#include "tests/support/scratch.h"
#include "tests/support/text_support.h"
#include "tests/watcher/watcher.h"

namespace {

struct Damaged {
    std::string name;
    std::string bytes;
};

std::uint32_t U32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

std::string Flipped(std::string bytes, std::size_t at, char with) {
    if (at < bytes.size()) bytes[at] = with;
    return bytes;
}

std::vector<Damaged> DamagedPackages(const std::string& demo, const ScratchFolder& scratch) {
    std::vector<Damaged> damaged;
    for (const std::size_t length : {1u, 8u, 100u, 511u, 512u, 513u, 1000u, 1536u, 2048u, 4096u}) {
        damaged.push_back({"truncated to " + std::to_string(length), demo.substr(0, length)});
    }
    for (const std::size_t length : {demo.size() / 2, demo.size() - 512, demo.size() - 1}) {
        damaged.push_back({"truncated to " + std::to_string(length), demo.substr(0, length)});
    }
    // The header: signature, sector shift, sector counts, first directory
    // sector, mini-stream cutoff, first mini-FAT and DIFAT sectors.
    for (const std::size_t at : {0u, 7u, 30u, 44u, 48u, 56u, 60u, 68u, 76u}) {
        damaged.push_back({"header byte " + std::to_string(at), Flipped(demo, at, '\xFF')});
    }
    // The directory: a name length, an entry type, a start sector, a size.
    const std::size_t directory = (static_cast<std::size_t>(U32(demo, 48)) + 1) * 512;
    for (const std::size_t at : {64u, 66u, 116u, 120u, 128u + 66u, 128u + 116u, 128u + 120u}) {
        damaged.push_back({"directory byte " + std::to_string(at),
                           Flipped(demo, directory + at, '\x7F')});
    }
    // The summary stream: its property count, ids, types and lengths.
    const std::string format("\xE0\x85\x9F\xF2", 4);
    const std::size_t summary = demo.find(format);
    if (summary != std::string::npos) {
        for (const std::size_t at : {20u, 24u, 28u, 32u, 36u, 44u, 60u, 64u}) {
            damaged.push_back({"summary byte " + std::to_string(at),
                               Flipped(demo, summary + at, '\xFF')});
        }
    }
    std::mt19937 random(ReliabilitySeed());
    std::uniform_int_distribution<std::size_t> offset(0, demo.size() - 1);
    std::uniform_int_distribution<int> value(0, 255);
    for (int n = 0; n < ReliabilityInputs(20); ++n) {
        std::string bytes = demo;
        for (int flips = 0; flips < 4; ++flips) bytes[offset(random)] = static_cast<char>(value(random));
        damaged.push_back({"random damage " + std::to_string(n), bytes});
    }
    // Well-formed, but at the edges of what a target list is.
    PatchRecipe number;
    number.patchCode = "{0B5E6A7C-8D9E-4F01-A2B3-C4D5E6F70A02}";
    number.targetsAsNumber = true;
    PatchRecipe huge;
    huge.patchCode = number.patchCode;
    while (huge.targets.size() < 100000) huge.targets += "{5E1D0C2B-7A3F-4B6E-8D9C-1F2A3B4C5D04};";
    for (const auto& [name, recipe] : {std::pair<const char*, const PatchRecipe&>{"list as a number", number},
                                     {"list of 100,000 characters", huge}}) {
        const std::wstring path = scratch / L"special.msp";
        std::string bytes;
        if (WritePatch(path, recipe) == S_OK && ReadWholeFile(path, bytes)) {
            damaged.push_back({name, bytes});
        }
    }
    return damaged;
}

TEST(Reliability, DamagedPackagesAreReportedNeverCrashed) {
    const ScratchFolder scratch;
    ASSERT_TRUE(CreateDirectoryW((scratch / L"tmp").c_str(), nullptr));
    std::string demo;
    demo = BuiltPackage();
    Tally tally("damaged packages");

    for (const Damaged& damaged : DamagedPackages(demo, scratch)) {
        SCOPED_TRACE(damaged.name);
        const std::wstring exe = scratch / L"spapply.exe";
        ASSERT_TRUE(MakeExeWithPackage(exe, damaged.bytes));
        // What the installer itself makes of the package.
        ASSERT_TRUE(WriteWholeFile(scratch / L"damaged.msp", damaged.bytes));
        Text targets;
        const bool readable = ReadPatchTargets(ToText(scratch / L"damaged.msp"), targets);

        WatchRequest request;
        request.program = exe;
        request.workingFolder = scratch.path();
        request.environment = {{L"TMP", scratch / L"tmp"}, {L"TEMP", scratch / L"tmp"}};
        request.timeoutMs = 60000;

        request.arguments = {L"/i"};
        const WatchedRun list = RunAndWatch(request);
        tally.Count(list);
        ASSERT_EQ(list.boxes.size(), 1u);
        EXPECT_EQ(list.boxes[0].text, readable ? targets : L"");
        EXPECT_EQ(list.exitCode == 0, readable) << list.exitCode;

        request.arguments = {L"/q"};
        const WatchedRun run = RunAndWatch(request);
        tally.Count(run);
        EXPECT_TRUE(run.boxes.empty());
        EXPECT_NE(run.exitCode, 0u);  // nothing of the demo products is installed
        EXPECT_TRUE(FolderEntries(scratch / L"tmp").empty()) << "a temporary package is left";
    }
    tally.Report();
    EXPECT_TRUE(tally.Clean());
}

}  // namespace
