// Attacks on an installer that runs elevated from a folder others can
// write to: each test performs one against the real exe, and it must fail.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/catalogue.h"
#include "tests/support/installer_fixtures.h"
#include "tests/support/run.h"
#include "tests/support/scratch.h"
#include "tests/watcher/watcher.h"

namespace {

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// An exe in `scratch` that patches the installed fixture product run_fr.
std::wstring PatchingExe(const ScratchFolder& scratch) {
    EXPECT_EQ(WriteFixturePatch(scratch / L"fix.msp", Narrow(Fixture(L"run_fr").productCode),
                                {L"run_fr"}, "200.0.282.0"),
              S_OK);
    ExeVariant variant;
    EXPECT_TRUE(ReadWholeFile(scratch / L"fix.msp", variant.package));
    const std::wstring exe = scratch / L"spapply.exe";
    EXPECT_TRUE(MakeSpapplyVariant(exe, variant));
    return exe;
}

const std::wstring kFrenchSucceeded =
    L"Le Service Pack a été installé avec succès et Tolvanek Rapports a été mis à jour.";

// DLLs that the exe, Windows or the installer load by name. CTest runs this
// test on its own, with Wine told to search for these as Windows does (a DLL
// beside the exe first); Wine takes that setting from where it was started,
// not from a child's environment block.
TEST(PlantedDll, NoDllBesideTheExeIsLoaded) {
    const ScratchFolder scratch;
    const std::wstring planted = ModuleFolder() + L"\\planted\\planted.dll";
    for (const wchar_t* name :
         {L"msi.dll", L"mspatcha.dll", L"version.dll", L"comctl32.dll", L"uxtheme.dll",
          L"cabinet.dll", L"propsys.dll", L"sxs.dll", L"dbghelp.dll", L"imagehlp.dll",
          L"setupapi.dll", L"crypt32.dll", L"winmm.dll", L"dwmapi.dll"}) {
        ASSERT_TRUE(CopyFileW(planted.c_str(), (scratch / name).c_str(), FALSE));
    }
    ASSERT_TRUE(CopyFileW((ModuleFolder() + L"\\imports_msi.exe").c_str(),
                          (scratch / L"imports_msi.exe").c_str(), FALSE));

    // The control: an ordinary import of msi.dll does load the planted one.
    RunIn(scratch.path(), scratch / L"imports_msi.exe", {});
    ASSERT_EQ(FolderEntries(scratch.path(), L"*.loaded"), std::vector<std::wstring>{L"msi.dll.loaded"})
        << "the planted DLLs are not picked up here: the test proves nothing";
    ASSERT_TRUE(DeleteFileW((scratch / L"msi.dll.loaded").c_str()));

    // A whole patch run, with the installer at work and a message box.
    ASSERT_EQ(InstallFixture(L"run_fr"), static_cast<UINT>(ERROR_SUCCESS));
    const WatchedRun run = RunIn(scratch.path(), PatchingExe(scratch), {});
    const WatchedRun list = RunIn(scratch.path(), scratch / L"spapply.exe", {L"/i"});
    RemoveFixture(L"run_fr");

    EXPECT_EQ(FolderEntries(scratch.path(), L"*.loaded"), std::vector<std::wstring>{});
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].text, kFrenchSucceeded);
    EXPECT_EQ(run.exitCode, 0u);
    ASSERT_EQ(list.boxes.size(), 1u);
    EXPECT_EQ(list.boxes[0].text, Fixture(L"run_fr").productCode);
}

// "<exe>.local" beside the exe would redirect the DLLs Windows loads for it.
TEST(LocalRedirection, TheExeRefusesToRunWithoutABox) {
    for (const bool folder : {false, true}) {
        const ScratchFolder scratch;
        const std::wstring exe = scratch / L"spapply.exe";
        ASSERT_TRUE(CopyFileW((ModuleFolder() + L"\\spapply.exe").c_str(), exe.c_str(), FALSE));
        const std::wstring local = exe + L".local";
        ASSERT_TRUE(folder ? CreateDirectoryW(local.c_str(), nullptr) != FALSE
                           : WriteWholeFile(local, ""));

        for (const std::vector<std::wstring>& arguments :
             {std::vector<std::wstring>{}, std::vector<std::wstring>{L"/i"},
              std::vector<std::wstring>{L"/e", L"out.msp"}}) {
            const WatchedRun run = RunIn(scratch.path(), exe, arguments);
            EXPECT_EQ(run.exitCode, static_cast<DWORD>(ERROR_ACCESS_DENIED));
            EXPECT_TRUE(run.boxes.empty());
        }
        EXPECT_FALSE(PathExists(scratch / L"out.msp"));
        EXPECT_TRUE(FolderEntries(scratch / L"tmp").empty());
    }
}

// Between its writing and the installer's reading, the temporary package
// cannot be changed, replaced, renamed or deleted; it is gone at the end.
TEST(TemporaryPackage, CannotBeSwappedWhileTheRunLasts) {
    const ScratchFolder scratch;
    ASSERT_EQ(InstallFixture(L"run_fr"), static_cast<UINT>(ERROR_SUCCESS));
    const std::wstring package = scratch / L"tmp\\MSP2";
    std::vector<std::string> attempts;

    const WatchedRun run = RunIn(scratch.path(), PatchingExe(scratch), {}, [&](const MessageBoxRecord&) {
        // The box is shown while the run still holds the package.
        const HANDLE writer = CreateFileW(package.c_str(), GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, 0, nullptr);
        if (writer != INVALID_HANDLE_VALUE) {
            attempts.push_back("opened for writing");
            CloseHandle(writer);
        }
        if (MoveFileW(package.c_str(), (scratch / L"moved").c_str())) attempts.push_back("renamed");
        if (DeleteFileW(package.c_str())) attempts.push_back("deleted");
        if (!PathExists(package)) attempts.push_back("not there to attack");
    });
    RemoveFixture(L"run_fr");

    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].text, kFrenchSucceeded);
    EXPECT_EQ(attempts, std::vector<std::string>{});
    EXPECT_FALSE(PathExists(package)) << "the package is left behind";
}

// A file already at the temporary name is never written through.
TEST(TemporaryPackage, AFilePlantedUnderTheNameIsLeftAlone) {
    const ScratchFolder scratch;
    ASSERT_TRUE(CreateDirectoryW((scratch / L"tmp").c_str(), nullptr));
    ASSERT_TRUE(WriteWholeFile(scratch / L"tmp\\MSP2", "planted"));

    const WatchedRun run = RunIn(scratch.path(), ModuleFolder() + L"\\spapply.exe", {L"/e"});

    EXPECT_EQ(run.exitCode, 0u);
    std::string planted;
    ASSERT_TRUE(ReadWholeFile(scratch / L"tmp\\MSP2", planted));
    EXPECT_EQ(planted, "planted");
    std::string written;
    std::string package;
    ASSERT_TRUE(ReadWholeFile(scratch / L"tmp\\MSP3", written));
    package = BuiltPackage();
    EXPECT_TRUE(written == package);
}

// TMP as an attacker may set it: the rule holds, and nothing is written
// outside the folder it chooses.
TEST(HostileTmp, TheTemporaryNameRuleHolds) {
    const ScratchFolder scratch;
    ASSERT_TRUE(CreateDirectoryW((scratch / L"t").c_str(), nullptr));
    ASSERT_TRUE(WriteWholeFile(scratch / L"file", "a file"));
    std::wstring deep = scratch.path();
    while (deep.size() < 245) {
        deep += L"\\" + std::wstring(std::min<std::size_t>(100, 245 - deep.size() - 1), L'd');
        ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
    }
    ASSERT_EQ(deep.size(), 245u);
    const std::wstring tooDeep = deep + L"\\e";
    ASSERT_TRUE(CreateDirectoryW(tooDeep.c_str(), nullptr));

    struct Case {
        std::wstring tmp;
        std::wstring written;  // empty: the extraction fails
    };
    const Case cases[] = {
        {scratch / L"t", scratch / L"t\\MSP2"},
        {L"\"" + (scratch / L"t") + L"\"", scratch / L"t\\MSP3"},
        {(scratch / L"t") + L"\\", scratch / L"t\\MSP4"},
        {(scratch / L"t") + L"/", scratch / L"t/MSP5"},
        {scratch / L"file", L""},  // a file: no folder to write in
        {deep, deep + L"\\MSP2"},
        {tooDeep, L""},  // 247 characters: no name
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.tmp));
        WatchRequest request;
        request.program = ModuleFolder() + L"\\spapply.exe";
        request.arguments = {L"/e"};
        request.workingFolder = scratch / L"t";
        request.environment = {{L"TMP", c.tmp}, {L"TEMP", c.tmp}};
        const WatchedRun run = RunAndWatch(request);
        EXPECT_TRUE(run.boxes.empty());
        if (c.written.empty()) {
            EXPECT_NE(run.exitCode, 0u);
        } else {
            EXPECT_EQ(run.exitCode, 0u);
            EXPECT_TRUE(PathExists(c.written));
        }
    }
    std::string file;
    ASSERT_TRUE(ReadWholeFile(scratch / L"file", file));
    EXPECT_EQ(file, "a file");
    EXPECT_TRUE(FolderEntries(tooDeep).empty());
    EXPECT_EQ(FolderEntries(scratch / L"t", L"MSP*").size(), 4u);
}

}  // namespace
