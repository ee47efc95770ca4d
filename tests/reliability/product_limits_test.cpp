// Products whose facts are at their limits, patched by the real exe: a
// Language that is text, negative or 0, a name beyond the Basic
// Multilingual Plane, a VersionString of over a thousand characters.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/reliability/tally.h"
#include "tests/support/catalogue.h"
#include "tests/support/installer_fixtures.h"
#include "tests/support/scratch.h"
#include "tests/watcher/watcher.h"

namespace {

const std::vector<std::wstring> kProducts = {L"limit_text_language", L"limit_negative_language",
                                             L"limit_zero_language", L"limit_astral_name",
                                             L"limit_long_version"};

std::wstring Filled(std::wstring text, const std::wstring& name) {
    return text.replace(text.find(L"%s"), 2, name);
}

class ProductLimits : public testing::Test {
protected:
    void SetUp() override {
        for (const auto& name : kProducts) {
            ASSERT_EQ(InstallFixture(name), static_cast<UINT>(ERROR_SUCCESS))
                << std::string(name.begin(), name.end());
        }
    }
    void TearDown() override {
        for (const auto& name : kProducts) RemoveFixture(name);
    }
};

TEST_F(ProductLimits, AreHandledAndNamedWhole) {
    const ScratchFolder scratch;
    ASSERT_TRUE(CreateDirectoryW((scratch / L"tmp").c_str(), nullptr));
    std::string targets;
    for (const auto& name : kProducts) {
        const std::wstring code = Fixture(name).productCode;
        targets += std::string(code.begin(), code.end()) + ";";
    }
    ASSERT_EQ(WriteFixturePatch(scratch / L"fix.msp", targets, kProducts, "200.0.282.0"), S_OK);
    ExeVariant variant;
    ASSERT_TRUE(ReadWholeFile(scratch / L"fix.msp", variant.package));
    ASSERT_TRUE(MakeSpapplyVariant(scratch / L"spapply.exe", variant));
    Tally tally("product facts at their limits");

    WatchRequest request;
    request.program = scratch / L"spapply.exe";
    request.workingFolder = scratch.path();
    request.environment = {{L"TMP", scratch / L"tmp"}, {L"TEMP", scratch / L"tmp"}};
    const WatchedRun run = RunAndWatch(request);
    tally.Count(run);

    // No language to switch to: the messages stay in the process's own.
    std::vector<std::wstring> expected;
    for (std::size_t i = 0; i + 1 < kProducts.size(); ++i) {
        expected.push_back(Filled(EnglishText(301), Fixture(kProducts[i]).productName));
    }
    expected.push_back(Filled(EnglishText(308), L"Tolvanek Long Version"));
    std::vector<std::wstring> shown;
    for (const auto& box : run.boxes) shown.push_back(box.text);
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(run.exitCode, static_cast<DWORD>(ERROR_PATCH_TARGET_NOT_FOUND));
    for (std::size_t i = 0; i + 1 < kProducts.size(); ++i) {
        EXPECT_EQ(InstalledProperty(Fixture(kProducts[i]).productCode, L"VersionString"),
                  L"200.0.282.0");
    }
    tally.Report();
    EXPECT_TRUE(tally.Clean());
}

}  // namespace
