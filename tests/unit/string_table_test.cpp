// LoadResString against the built spapply.exe's string table, with the
// thread locale switched as the patch run switches it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "messages/string_table.h"
#include "tests/support/catalogue.h"
#include "tests/support/scratch.h"
#include "tests/support/text_support.h"

namespace {

class LoadResStringTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        exe_ = LoadLibraryExW((ModuleFolder() + L"\\spapply.exe").c_str(), nullptr,
                              LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() { FreeLibrary(exe_); }
    void SetUp() override {
        ASSERT_NE(exe_, nullptr);
        savedLocale_ = GetThreadLocale();
    }
    void TearDown() override { SetThreadLocale(savedLocale_); }

    std::wstring Load(LCID locale, UINT id, int capacity = 256) {
        EXPECT_TRUE(SetThreadLocale(locale));
        Text text = L"previous content";
        const int count = LoadResString(exe_, id, text, capacity);
        EXPECT_EQ(count, static_cast<int>(text.size()));
        return Wide(text);
    }

    static HMODULE exe_;
    LCID savedLocale_ = 0;
};

HMODULE LoadResStringTest::exe_ = nullptr;

TEST_F(LoadResStringTest, PicksTheLanguageOfTheThreadLocale) {
    EXPECT_EQ(Load(1033, 301), EnglishText(301));
    EXPECT_EQ(Load(1036, 301), L"Le Service Pack a été installé avec succès et %s a été mis à jour.");
    EXPECT_EQ(Load(1036, 312), L"Installation réussie");
    EXPECT_EQ(Load(1041, 301), L"Service Pack は正常にインストールされ、%s が更新されました。");
    EXPECT_EQ(Load(1049, 311), L"Ошибка установки");
    EXPECT_EQ(Load(2052, 313), L"无需安装");
    EXPECT_EQ(Load(1028, 313), L"不需要安裝");
}

TEST_F(LoadResStringTest, FallsBackToTheLanguageThenToEnglish) {
    // Spanish with modern sort (3082) has no table of its own: the Spanish one serves.
    EXPECT_EQ(Load(3082, 311), L"Error de instalación");
    // Swedish is not in the catalogue: English.
    EXPECT_EQ(Load(1053, 311), L"Installation Error");
    // The version entries exist in English only, whatever the locale.
    EXPECT_EQ(Load(1031, 700), L"200.0.282.0");
    EXPECT_EQ(Load(1031, 900), L"200.0.236.0,");
    EXPECT_EQ(Load(1041, 900), L"200.0.236.0,");
}

TEST_F(LoadResStringTest, AnIdWithoutEntryLoadsNothing) {
    for (const UINT id : {302u, 305u, 0u, 699u, 65535u}) {
        EXPECT_EQ(Load(1033, id), L"") << id;
    }
}

TEST_F(LoadResStringTest, LoadsAtMostOneCharacterLessThanTheCapacity) {
    EXPECT_EQ(Load(1033, 311, 10), L"Installat");
    EXPECT_EQ(Load(1033, 311, 1), L"");
    EXPECT_EQ(Load(1033, 311, 0), L"");
}

}  // namespace
