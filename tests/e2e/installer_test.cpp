// The installer queries against Wine's real Windows Installer, with fixture
// products installed by it and patch packages written by our patch writer.
#include <gtest/gtest.h>

#include <windows.h>
#include <msi.h>

#include <string>

#include "installer/patch_targets.h"
#include "installer/product_facts.h"
#include "tests/support/installer_fixtures.h"
#include "tests/support/scratch.h"
#include "tests/support/text_support.h"

namespace {

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }
std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// A list of product codes of about `length` characters, cut to exactly that.
std::string TargetListOf(std::size_t length) {
    std::string list;
    for (int i = 0; list.size() < length; ++i) {
        char code[40];
        snprintf(code, sizeof code, "{00000000-0000-0000-0000-%012d};", i);
        list += code;
    }
    return list.substr(0, length);
}

TEST(ReadPatchTargets, ReadsTheTargetListWhole) {
    const ScratchFolder scratch;
    for (const std::size_t length : {0u, 38u, 194u, 2047u, 2048u, 2049u, 5000u}) {
        const std::string targets = TargetListOf(length);
        const std::wstring path = scratch / (L"p" + std::to_wstring(length) + L".msp");
        ASSERT_EQ(WriteFixturePatch(path, targets, {}, "1.0.0.0"), S_OK);

        Text read = L"replaced";
        ASSERT_TRUE(ReadPatchTargets(ToText(path), read)) << length;
        EXPECT_EQ(read, Widen(targets)) << length;
    }
}

TEST(ReadPatchTargets, TakesARelativePathAgainstTheCurrentFolder) {
    const ScratchFolder scratch;
    ASSERT_EQ(WriteFixturePatch(scratch / L"relative.msp", "{A};{B}", {}, "1.0.0.0"), S_OK);
    wchar_t saved[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryW(scratch.path().c_str()));

    Text read;
    const bool ok = ReadPatchTargets(L"relative.msp", read);
    SetCurrentDirectoryW(saved);

    EXPECT_TRUE(ok);
    EXPECT_EQ(read, L"{A};{B}");
}

TEST(ReadPatchTargets, FailsOnWhatIsNoPackageAndLeavesTheListAlone) {
    const ScratchFolder scratch;
    ASSERT_TRUE(WriteWholeFile(scratch / L"text.msp", "not a compound file\r\n"));
    ASSERT_TRUE(WriteWholeFile(scratch / L"empty.msp", ""));
    for (const std::wstring& path :
         {scratch / L"missing.msp", scratch / L"text.msp", scratch / L"empty.msp", scratch.path()}) {
        Text read = L"untouched";
        EXPECT_FALSE(ReadPatchTargets(ToText(path), read)) << testing::PrintToString(path);
        EXPECT_EQ(read, L"untouched");
        EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    }
}

class ProductFactsTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        for (const wchar_t* name : {L"facts_fr", L"long_name"}) {
            ASSERT_EQ(InstallFixture(name), static_cast<UINT>(ERROR_SUCCESS)) << Narrow(name);
        }
    }
    static void TearDownTestSuite() {
        RemoveFixture(L"facts_fr");
        RemoveFixture(L"long_name");
    }
};

TEST_F(ProductFactsTest, AnInstalledProductTellsItsVersionNameAndLanguage) {
    const FixtureProduct& product = Fixture(L"facts_fr");

    const Text code = ToText(product.productCode);
    EXPECT_TRUE(IsProductInstalled(code));
    EXPECT_EQ(ReadInstalledVersion(code), L"200.0.236.0");
    Text name = L"old name";
    Text language = L"old language";
    EXPECT_TRUE(ReadProductInfo(code, name, language));
    EXPECT_EQ(name, L"Tolvanek Rapports");
    EXPECT_EQ(language, L"1036");
}

TEST_F(ProductFactsTest, ANameOf1023CharactersIsReadWholeAndTheLanguageAfterIt) {
    const FixtureProduct& product = Fixture(L"long_name");
    Text name;
    Text language;

    ReadProductInfo(ToText(product.productCode), name, language);

    EXPECT_EQ(name.size(), 1023u);
    EXPECT_EQ(name, product.productName);
    EXPECT_EQ(language, L"1033");
}

TEST_F(ProductFactsTest, AnAbsentProductIsNotInstalledAndHasEmptyFacts) {
    for (const std::wstring& code : {std::wstring(Fixture(L"demo_en").productCode),
                                    std::wstring(L"{00000000-0000-0000-0000-000000000000}"),
                                    std::wstring(L"not a product code"), std::wstring()}) {
        EXPECT_FALSE(IsProductInstalled(ToText(code))) << Narrow(code);
        EXPECT_EQ(ReadInstalledVersion(ToText(code)), L"");
        Text name = L"old name";
        Text language = L"old language";
        EXPECT_TRUE(ReadProductInfo(ToText(code), name, language));
        EXPECT_EQ(name, L"");
        EXPECT_EQ(language, L"");
    }
}

TEST(FixturePatch, AppliedByTheInstallerItChangesTheProductVersion) {
    const ScratchFolder scratch;
    const FixtureProduct& product = Fixture(L"patchable");
    ASSERT_EQ(InstallFixture(L"patchable"), static_cast<UINT>(ERROR_SUCCESS));
    ASSERT_EQ(InstalledProperty(product.productCode, L"VersionString"), L"200.0.236.0");
    const std::wstring patch = scratch / L"fix.msp";
    const std::string targets =
        Narrow(Fixture(L"demo_en").productCode) + ";" + Narrow(product.productCode);
    ASSERT_EQ(WriteFixturePatch(patch, targets, {L"demo_en", L"patchable"}, "200.0.282.0"), S_OK);

    MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
    const std::wstring commandLine = L"PATCH=\"" + patch + L"\" REINSTALL=ALL";
    const UINT result = MsiConfigureProductExW(product.productCode, INSTALLLEVEL_DEFAULT,
                                               INSTALLSTATE_DEFAULT, commandLine.c_str());

    EXPECT_EQ(result, static_cast<UINT>(ERROR_SUCCESS));
    EXPECT_EQ(InstalledProperty(product.productCode, L"VersionString"), L"200.0.282.0");
    EXPECT_EQ(ReadInstalledVersion(product.productCode), L"200.0.282.0");
    EXPECT_EQ(RemoveFixture(L"patchable"), static_cast<UINT>(ERROR_SUCCESS));
}

}  // namespace
