// The string table of the built spapply.exe, read back language by language.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "messages/string_table.h"
#include "tests/support/catalogue.h"
#include "tests/support/scratch.h"
#include "tests/support/text_support.h"

namespace {

bool ReadEntry(HMODULE module, UINT id, LANGID language, std::wstring& text) {
    Text entry;
    const bool read = ReadStringEntry(module, id, language, entry);
    text = Wide(entry);
    return read;
}

class CatalogueTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        exe_ = LoadLibraryExW((ModuleFolder() + L"\\spapply.exe").c_str(), nullptr,
                              LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() { FreeLibrary(exe_); }
    void SetUp() override { ASSERT_NE(exe_, nullptr) << "cannot load spapply.exe"; }

    static HMODULE exe_;
};

HMODULE CatalogueTest::exe_ = nullptr;

std::size_t Count(const std::wstring& text, const std::wstring& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST_F(CatalogueTest, EveryMessageInEveryLanguageIsWithinTheRules) {
    for (const LANGID language : kCatalogueLanguages) {
        for (const UINT id : kMessageIds) {
            SCOPED_TRACE(testing::Message() << "id " << id << ", language " << language);
            std::wstring text;
            ASSERT_TRUE(ReadEntry(exe_, id, language, text)) << "missing or empty";
            EXPECT_LE(text.size(), 255u);
            EXPECT_EQ(text.find(L'\r'), std::wstring::npos);
            const wchar_t* placeholder = PlaceholderOf(id);
            EXPECT_EQ(Count(text, L"%"), placeholder ? 1u : 0u) << testing::PrintToString(text);
            if (placeholder) {
                EXPECT_EQ(Count(text, placeholder), 1u);
            }
            if (language != 1033) {
                EXPECT_NE(text, EnglishText(id)) << "left in English";
            }
        }
    }
}

TEST_F(CatalogueTest, EnglishTextsAreExact) {
    for (const auto& entry : kEnglishCatalogue) {
        std::wstring text;
        ASSERT_TRUE(ReadEntry(exe_, entry.id, 1033, text)) << entry.id;
        EXPECT_EQ(text, entry.text) << entry.id;
    }
}

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR context) {
    reinterpret_cast<std::vector<UINT>*>(context)->push_back(
        static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR context) {
    reinterpret_cast<std::vector<LANGID>*>(context)->push_back(language);
    return TRUE;
}

TEST_F(CatalogueTest, HoldsNoOtherEntriesAndTheVersionsInEnglishOnly) {
    std::vector<UINT> blocks;
    EnumResourceNamesW(exe_, MAKEINTRESOURCEW(6), CollectName, reinterpret_cast<LONG_PTR>(&blocks));
    std::set<std::pair<UINT, LANGID>> found;
    for (const UINT block : blocks) {
        std::vector<LANGID> languages;
        EnumResourceLanguagesW(exe_, MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(block),
                               CollectLanguage, reinterpret_cast<LONG_PTR>(&languages));
        for (const LANGID language : languages) {
            for (UINT id = (block - 1) * 16; id < block * 16; ++id) {
                std::wstring text;
                if (ReadEntry(exe_, id, language, text)) found.insert({id, language});
            }
        }
    }

    std::set<std::pair<UINT, LANGID>> expected;
    for (const LANGID language : kCatalogueLanguages) {
        for (const UINT id : kMessageIds) expected.insert({id, language});
    }
    expected.insert({700, 1033});
    expected.insert({900, 1033});
    EXPECT_EQ(found, expected);
}

}  // namespace
