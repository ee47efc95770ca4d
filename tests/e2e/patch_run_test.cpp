// The default run of the real exe on products installed by the real Windows
// Installer, with patches written by our patch writer embedded in copies of
// the exe, through the message-box watcher.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/catalogue.h"
#include "tests/support/installer_fixtures.h"
#include "tests/support/run.h"
#include "tests/support/scratch.h"
#include "tests/watcher/watcher.h"

namespace {

const std::wstring kAbsentCode = L"{2B7E4D90-1C3A-4E5F-9A8B-7C6D5E4F30FF}";

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// "@name" stands for the code of fixture product `name`, "@absent" for a
// code that no product has; the rest of the list stays as it is.
std::wstring TargetList(const std::wstring& pattern) {
    std::wstring list;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = pattern.find(L';', start);
        const std::wstring entry = pattern.substr(start, end - start);
        if (entry == L"@absent") {
            list += kAbsentCode;
        } else if (!entry.empty() && entry[0] == L'@') {
            list += Fixture(entry.substr(1)).productCode;
        } else {
            list += entry;
        }
        if (end == std::wstring::npos) return list;
        list += L';';
        start = end + 1;
    }
}

struct ExpectedBox {
    std::wstring caption;
    std::wstring text;
};

ExpectedBox English(UINT id, UINT caption, const std::wstring& value = L"") {
    std::wstring text = EnglishText(id);
    for (const wchar_t* placeholder : {L"%d", L"%s"}) {
        const std::size_t at = text.find(placeholder);
        if (at != std::wstring::npos) text.replace(at, 2, value);
    }
    return {EnglishText(caption), text};
}

const ExpectedBox kFrenchSucceeded{
    L"Installation réussie",
    L"Le Service Pack a été installé avec succès et Tolvanek Rapports a été mis à jour."};
const ExpectedBox kJapaneseWrongVersion{
    L"インストール エラー",
    L"この Service Pack は、このコンピューターにインストールされている Tolvanek レポート "
    L"のバージョン用ではないため、インストールできませんでした。"};

struct RunCase {
    const char* name;
    std::vector<std::wstring> installed;  // fixture products installed for the run
    std::wstring targets;                 // the patch's target list, see TargetList
    std::vector<std::wstring> arguments;
    std::optional<std::wstring> applicableVersions;  // else the built entry
    std::vector<ExpectedBox> boxes;
    DWORD exitCode;
    std::vector<std::pair<std::wstring, std::wstring>> versionsAfter;
};

class PatchRunTest : public testing::TestWithParam<RunCase> {
protected:
    void TearDown() override {
        for (const auto& name : GetParam().installed) RemoveFixture(name);
    }
};

TEST_P(PatchRunTest, DecidesReportsAndExitsAsTheRulesSay) {
    const RunCase& c = GetParam();
    const ScratchFolder scratch;
    ASSERT_TRUE(CreateDirectoryW((scratch / L"tmp").c_str(), nullptr));
    for (const auto& name : c.installed) {
        ASSERT_EQ(InstallFixture(name), static_cast<UINT>(ERROR_SUCCESS)) << Narrow(name);
    }
    ASSERT_EQ(WriteFixturePatch(scratch / L"fix.msp", Narrow(TargetList(c.targets)), c.installed,
                                "200.0.282.0"),
              S_OK);
    ExeVariant variant;
    ASSERT_TRUE(ReadWholeFile(scratch / L"fix.msp", variant.package));
    variant.applicableVersions = c.applicableVersions;
    const std::wstring exe = scratch / L"spapply.exe";
    ASSERT_TRUE(MakeSpapplyVariant(exe, variant));

    const WatchedRun run = RunIn(scratch.path(), exe, c.arguments);

    ASSERT_TRUE(run.started);
    EXPECT_EQ(run.exitCode, c.exitCode);
    ASSERT_EQ(run.boxes.size(), c.boxes.size()) << [&run] {
        std::string shown;
        for (const auto& box : run.boxes) shown += testing::PrintToString(box.caption + L" | " + box.text) + "\n";
        return shown;
    }();
    for (std::size_t i = 0; i < c.boxes.size(); ++i) {
        EXPECT_EQ(run.boxes[i].caption, c.boxes[i].caption) << "box " << i;
        EXPECT_EQ(run.boxes[i].text, c.boxes[i].text) << "box " << i;
    }
    for (const auto& [name, version] : c.versionsAfter) {
        EXPECT_EQ(InstalledProperty(Fixture(name).productCode, L"VersionString"), version)
            << Narrow(name);
    }
    std::string leftover;
    EXPECT_FALSE(ReadWholeFile(scratch / L"tmp\\MSP2", leftover)) << "the temporary package is left";
}

WatchedRun RunVariant(const ScratchFolder& scratch, const ExeVariant& variant,
                      const std::vector<std::wstring>& arguments) {
    const std::wstring exe = scratch / L"spapply.exe";
    EXPECT_TRUE(MakeSpapplyVariant(exe, variant));
    return RunIn(scratch.path(), exe, arguments);
}

// A package that cannot be read, or version entries that are missing: one
// message 300 with the error, whose number is also the exit code.
TEST(PatchRun, AFailureBeforeAnyProductEndsTheRunWithItsError) {
    std::string demo;
    demo = BuiltPackage();
    const ExeVariant variants[] = {
        {"not a compound file", std::nullopt, std::nullopt},
        {demo, L"", std::nullopt},
        {demo, std::nullopt, L""},
    };
    for (const ExeVariant& variant : variants) {
        const ScratchFolder scratch;
        const WatchedRun run = RunVariant(scratch, variant, {});
        EXPECT_NE(run.exitCode, 0u);
        ASSERT_EQ(run.boxes.size(), 1u);
        EXPECT_EQ(run.boxes[0].caption, L"Installation Error");
        // The box shows the error the failing step left; with none, the exit code is 1603.
        const ExpectedBox withCode = English(300, 311, std::to_wstring(run.exitCode));
        const ExpectedBox withNone = English(300, 311, L"0");
        EXPECT_TRUE(run.boxes[0].text == withCode.text ||
                    (run.exitCode == ERROR_INSTALL_FAILURE && run.boxes[0].text == withNone.text))
            << testing::PrintToString(run.boxes[0].text) << " exit " << run.exitCode;
        std::string leftover;
        EXPECT_FALSE(ReadWholeFile(scratch / L"tmp\\MSP2", leftover)) << "the temporary package is left";
    }
}

TEST(PatchRun, ALogRecordsEveryDecisionAndTheInstallerLogsBesideIt) {
    const ScratchFolder scratch;
    ASSERT_EQ(InstallFixture(L"run_fr"), static_cast<UINT>(ERROR_SUCCESS));
    ASSERT_EQ(InstallFixture(L"run_de"), static_cast<UINT>(ERROR_SUCCESS));
    ASSERT_EQ(WriteFixturePatch(scratch / L"fix.msp", Narrow(TargetList(L"@absent;@run_de;@run_fr")),
                                {L"run_fr", L"run_de"}, "200.0.282.0"),
              S_OK);
    ExeVariant variant;
    ASSERT_TRUE(ReadWholeFile(scratch / L"fix.msp", variant.package));
    ASSERT_TRUE(WriteWholeFile(scratch / L"run.log", "an earlier line\r\n"));

    const WatchedRun run = RunVariant(scratch, variant, {L"/q", L"/l", scratch / L"run.log"});
    RemoveFixture(L"run_fr");
    RemoveFixture(L"run_de");

    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.boxes.empty());
    std::string log;
    ASSERT_TRUE(ReadWholeFile(scratch / L"run.log", log));
    EXPECT_EQ(log.rfind("an earlier line\r\n", 0), 0u) << "the log was not appended to";
    for (const std::string& expected :
         {"product=" + Narrow(kAbsentCode) + " decision=not-installed",
          "product=" + Narrow(Fixture(L"run_de").productCode) +
              " name=\"Tolvanek Berichte\" language=1031 installed=200.0.282.0 decision=up-to-date",
          "product=" + Narrow(Fixture(L"run_fr").productCode) +
              " name=\"Tolvanek Rapports\" language=1036 installed=200.0.236.0 decision=apply result=0",
          std::string("run ended exit=0\r\n")}) {
        EXPECT_NE(log.find(expected), std::string::npos) << expected << "\nnot in:\n" << log;
    }
    std::string installerLog;
    EXPECT_TRUE(ReadWholeFile(scratch / L"run.log.msi.log", installerLog));
}

TEST(PatchRun, WithoutALogNothingIsWritten) {
    const ScratchFolder scratch;
    std::string demo;
    demo = BuiltPackage();

    const WatchedRun run = RunVariant(scratch, {demo, std::nullopt, std::nullopt}, {L"/q"});

    EXPECT_EQ(run.exitCode, static_cast<DWORD>(ERROR_PATCH_TARGET_NOT_FOUND));
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW((scratch / L"*").c_str(), &entry);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    std::vector<std::wstring> names;
    do {
        names.emplace_back(entry.cFileName);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L".", L"..", L"spapply.exe", L"tmp"}));
}

const std::wstring kPatched = L"200.0.282.0";
const std::wstring kUnpatched = L"200.0.236.0";

INSTANTIATE_TEST_SUITE_P(
    Run, PatchRunTest,
    testing::Values(
        RunCase{"OneOfTwoTargetsInstalledAndApplicable", {L"run_fr"}, L"@absent;@run_fr", {}, {},
                {kFrenchSucceeded}, 0, {{L"run_fr", kPatched}}},
        RunCase{"NoTargetInstalled", {}, L"@absent;@demo_ko", {}, {},
                {English(307, 311)}, ERROR_PATCH_TARGET_NOT_FOUND, {}},
        RunCase{"EmptyTargetList", {L"run_fr"}, L"", {}, {},
                {English(307, 311)}, ERROR_PATCH_TARGET_NOT_FOUND, {{L"run_fr", kUnpatched}}},
        RunCase{"ListBeginningWithASemicolon", {L"run_fr"}, L";@run_fr", {}, {},
                {English(307, 311)}, ERROR_PATCH_TARGET_NOT_FOUND, {{L"run_fr", kUnpatched}}},
        RunCase{"AnEmptyEntryEndsTheList", {L"run_de", L"run_fr"}, L"@run_de;;@run_fr", {}, {},
                {English(306, 313, L"Tolvanek Berichte")}, 0, {{L"run_fr", kUnpatched}}},
        RunCase{"ADuplicatedCodeIsHandledTwice", {L"run_fr"}, L"@run_fr;@run_fr", {}, {},
                {kFrenchSucceeded, kFrenchSucceeded}, 0, {{L"run_fr", kPatched}}},
        RunCase{"AllAtTheTargetVersionGiveOneClosingMessage", {L"run_de", L"run_en"},
                L"@run_de;@run_en", {}, {}, {English(306, 313, L"Tolvanek Reports")}, 0, {}},
        RunCase{"OneAtTheTargetAndOneApplicable", {L"run_de", L"run_fr"}, L"@run_de;@run_fr", {},
                {}, {kFrenchSucceeded}, 0, {{L"run_fr", kPatched}}},
        RunCase{"AnUnknownVersionIsRefusedAndTheRunGoesOn", {L"run_ja", L"run_fr"},
                L"@run_ja;@run_fr", {}, {}, {kJapaneseWrongVersion, kFrenchSucceeded},
                ERROR_PATCH_TARGET_NOT_FOUND, {{L"run_ja", L"200.0.100.0"}, {L"run_fr", kPatched}}},
        RunCase{"AVersionWithoutItsCommaNeverMatches", {L"run_fr"}, L"@run_fr", {}, L"200.0.236.0",
                {{L"Erreur d'installation",
                  L"Ce Service Pack n'a pas pu être installé, car il n'est pas conçu pour la "
                  L"version de Tolvanek Rapports installée sur votre ordinateur."}},
                ERROR_PATCH_TARGET_NOT_FOUND, {{L"run_fr", kUnpatched}}},
        RunCase{"TheTargetListedBeforeTheInstalledVersionEndsTheRun", {L"run_fr", L"run_ja"},
                L"@run_fr;@run_ja", {}, L"200.0.282.0,200.0.236.0,",
                {{L"Installation inutile",
                  L"Votre version de Tolvanek Rapports est à jour et ce Service Pack n'est pas "
                  L"nécessaire"}},
                0, {{L"run_fr", kUnpatched}}},
        RunCase{"AnInstallerFailureIsReportedAndTheRunGoesOn", {L"run_fails", L"run_fr"},
                L"@run_fails;@run_fr", {}, {},
                // The installer's own error box first, then ours with its result.
                {{L"Error", L"This fixture product refuses to be patched."},
                 English(300, 311, L"1603"), kFrenchSucceeded},
                ERROR_INSTALL_FAILURE,
                {{L"run_fails", kUnpatched}, {L"run_fr", kPatched}}},
        // Quiet: not even the installer's own box.
        RunCase{"QuietInstallerFailure", {L"run_fails", L"run_fr"}, L"@run_fails;@run_fr",
                {L"/q"}, {}, {}, ERROR_INSTALL_FAILURE,
                {{L"run_fails", kUnpatched}, {L"run_fr", kPatched}}},
        RunCase{"QuietMakesTheSameCallsAndShowsNothing", {L"run_ja", L"run_fr"},
                L"@run_ja;@run_fr", {L"/Q"}, {}, {}, ERROR_PATCH_TARGET_NOT_FOUND,
                {{L"run_fr", kPatched}}},
        RunCase{"ARestartRequiredIsSuccess", {L"run_restart"}, L"@run_restart", {}, {},
                {English(301, 312, L"Tolvanek Restarting")}, ERROR_SUCCESS_REBOOT_REQUIRED,
                {{L"run_restart", kPatched}}}),
    [](const testing::TestParamInfo<RunCase>& info) { return info.param.name; });

}  // namespace
