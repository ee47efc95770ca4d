// Every message through the real ShowMessage and the built exe's string
// table, shown in a real box and read back by the watcher.
#include <gtest/gtest.h>

#include <string>

#include "messages/string_table.h"
#include "tests/support/catalogue.h"
#include "tests/support/scratch.h"
#include "tests/support/text_support.h"
#include "tests/watcher/watcher.h"

namespace {

WatchedRun ShowMessageOf(LCID locale, UINT id, const std::wstring& lastError,
                         const std::wstring& productName, bool quiet = false) {
    WatchRequest request;
    request.program = ModuleFolder() + L"\\show_message.exe";
    request.arguments = {ModuleFolder() + L"\\spapply.exe", std::to_wstring(locale),
                         std::to_wstring(id), lastError, productName};
    if (quiet) request.arguments.push_back(L"/q");
    WatchedRun run = RunAndWatch(request);
    EXPECT_TRUE(run.started) << run.startError;
    EXPECT_FALSE(run.timedOut);
    return run;
}

std::wstring Filled(std::wstring text, const std::wstring& value) {
    for (const wchar_t* placeholder : {L"%d", L"%s"}) {
        const std::size_t at = text.find(placeholder);
        if (at != std::wstring::npos) return text.replace(at, 2, value);
    }
    return text;
}

struct MessageCase {
    const char* name;
    LCID locale;
    UINT id;
    std::wstring lastError;
    std::wstring productName;
    std::wstring caption;
    std::wstring text;
    UINT style;
};

class ShowMessageTest : public testing::TestWithParam<MessageCase> {};

TEST_P(ShowMessageTest, ShowsTheBoxOfTheId) {
    const MessageCase& c = GetParam();

    const WatchedRun run = ShowMessageOf(c.locale, c.id, c.lastError, c.productName);

    ASSERT_EQ(run.boxes.size(), 1u);
    const MessageBoxRecord& box = run.boxes[0];
    EXPECT_EQ(box.caption, c.caption);
    EXPECT_EQ(box.text, c.text);
    ASSERT_TRUE(box.styleKnown);
    EXPECT_EQ(box.style, c.style);
}

const std::wstring kName = L"Tolvanek Reports 2.0";

INSTANTIATE_TEST_SUITE_P(
    English, ShowMessageTest,
    testing::Values(
        MessageCase{"Failed", 1033, 300, L"5", kName, L"Installation Error",
                    Filled(EnglishText(300), L"5"), 0x50010},
        MessageCase{"FailedWithALargeCodeShowsItSigned", 1033, 300, L"2147483648", kName,
                    L"Installation Error", Filled(EnglishText(300), L"-2147483648"), 0x50010},
        MessageCase{"Succeeded", 1033, 301, L"0", kName, L"Installation Successful",
                    Filled(EnglishText(301), kName), 0x50040},
        MessageCase{"SucceededWithoutAName", 1033, 301, L"0", L"", L"Installation Successful",
                    L"The service pack was successfully installed and  has been updated.", 0x50040},
        MessageCase{"UpToDateShowsTheStopSign", 1033, 306, L"0", kName,
                    L"Installation Unnecessary", Filled(EnglishText(306), kName), 0x50010},
        MessageCase{"NoTargetProduct", 1033, 307, L"0", kName, L"Installation Error",
                    EnglishText(307), 0x50010},
        MessageCase{"WrongVersion", 1033, 308, L"0", kName, L"Installation Error",
                    Filled(EnglishText(308), kName), 0x50010},
        MessageCase{"BadCommandLine", 1033, 309, L"0", kName, L"Installation Error",
                    EnglishText(309), 0x50010},
        MessageCase{"NeedPatchList", 1033, 310, L"0", kName, L"Installation Error",
                    EnglishText(310), 0x50010},
        MessageCase{"ANameOf1023CharactersIsShownWhole", 1033, 301, L"0",
                    std::wstring(1023, L'N'), L"Installation Successful",
                    Filled(EnglishText(301), std::wstring(1023, L'N')), 0x50040},
        MessageCase{"AnIdOutsideTheTable", 1033, 302, L"0", kName, L"Error", L"", 0x50000}),
    [](const testing::TestParamInfo<MessageCase>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    OtherLanguages, ShowMessageTest,
    testing::Values(
        MessageCase{"FrenchFailed", 1036, 300, L"1603", kName, L"Erreur d'installation",
                    L"Un problème a empêché l'installation du Service Pack. Contactez votre "
                    L"administrateur système. \n\n Code d'erreur : 1603",
                    0x50010},
        MessageCase{"GermanUpToDate", 1031, 306, L"0", kName, L"Installation nicht erforderlich",
                    L"Ihre Version von " + kName +
                        L" ist auf dem neuesten Stand, und dieses Service Pack wird nicht benötigt",
                    0x50010},
        MessageCase{"JapaneseWrongVersion", 1041, 308, L"0", L"会計 2.0", L"インストール エラー",
                    L"この Service Pack は、このコンピューターにインストールされている 会計 2.0 "
                    L"のバージョン用ではないため、インストールできませんでした。",
                    0x50010},
        MessageCase{"RussianSucceeded", 1049, 301, L"0", L"Отчёты", L"Установка выполнена успешно",
                    L"Пакет обновления успешно установлен, продукт Отчёты обновлен.", 0x50040},
        MessageCase{"PolishNoTargetProduct", 1045, 307, L"0", kName, L"Błąd instalacji",
                    L"Nie można zainstalować dodatku Service Pack, ponieważ na tym komputerze nie "
                    L"znaleziono oczekiwanego produktu firmy Tolvanek.\nUpewnij się, że używasz "
                    L"właściwego dodatku Service Pack dla tego produktu.",
                    0x50010},
        MessageCase{"SwedishFallsBackToEnglish", 1053, 310, L"0", kName, L"Installation Error",
                    EnglishText(310), 0x50010}),
    [](const testing::TestParamInfo<MessageCase>& info) { return info.param.name; });

TEST(ShowMessage, TheSameIdFollowsTheThreadLocale) {
    const WatchedRun english = ShowMessageOf(1033, 310, L"0", kName);
    const WatchedRun french = ShowMessageOf(1036, 310, L"0", kName);
    ASSERT_EQ(english.boxes.size(), 1u);
    ASSERT_EQ(french.boxes.size(), 1u);
    EXPECT_EQ(english.boxes[0].text, EnglishText(310));
    EXPECT_EQ(english.boxes[0].caption, L"Installation Error");
    EXPECT_EQ(french.boxes[0].text,
              L"Pour installer ce Service Pack, vous devez indiquer une liste de correctifs dans "
              L"la ligne de commande.");
    EXPECT_EQ(french.boxes[0].caption, L"Erreur d'installation");
}

// Every id in three more languages, against the exe's own entries in that language.
TEST(ShowMessage, EveryIdInFrenchJapaneseAndRussian) {
    const HMODULE exe = LoadLibraryExW((ModuleFolder() + L"\\spapply.exe").c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    struct Expected {
        UINT id;
        UINT caption;
        const wchar_t* value;
        UINT style;
    };
    const Expected table[] = {{300, 311, L"1603", 0x50010}, {301, 312, L"X", 0x50040},
                              {306, 313, L"X", 0x50010},    {307, 311, nullptr, 0x50010},
                              {308, 311, L"X", 0x50010},    {309, 311, nullptr, 0x50010},
                              {310, 311, nullptr, 0x50010}};
    for (const LANGID language : {1036, 1041, 1049}) {
        for (const Expected& e : table) {
            SCOPED_TRACE(testing::Message() << "id " << e.id << ", language " << language);
            Text entry;
            ASSERT_TRUE(ReadStringEntry(exe, e.id, language, entry));
            const std::wstring text = Wide(entry);
            ASSERT_TRUE(ReadStringEntry(exe, e.caption, language, entry));
            const std::wstring caption = Wide(entry);

            const WatchedRun run = ShowMessageOf(language, e.id, L"1603", L"X");

            ASSERT_EQ(run.boxes.size(), 1u);
            EXPECT_EQ(run.boxes[0].text, e.value ? Filled(text, e.value) : text);
            EXPECT_EQ(run.boxes[0].caption, caption);
            EXPECT_EQ(run.boxes[0].style, e.style);
        }
    }
    FreeLibrary(exe);
}

TEST(ShowMessage, QuietShowsNothingAndLeavesTheLastErrorAlone) {
    for (const UINT id : {300u, 301u, 306u, 307u, 308u, 310u}) {
        const WatchedRun run = ShowMessageOf(1033, id, L"1234", kName, true);
        EXPECT_TRUE(run.boxes.empty()) << id;
        EXPECT_EQ(run.exitCode, 1234u) << id;
    }
}

}  // namespace
