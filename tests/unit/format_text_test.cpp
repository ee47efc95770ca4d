#include <gtest/gtest.h>

#include <string>

#include "messages/format_text.h"
#include "tests/support/text_support.h"

namespace {

TEST(FormatCatalogueText, FillsThePlaceholderLikeWsprintf) {
    const Text name = L"Tolvanek Reports";
    const Text error = L"-2147483648";
    const Text empty;
    const Text longName = ToText(std::wstring(1023, L'n'));
    struct Case {
        const wchar_t* format;
        const Text* argument;
        std::wstring expected;
    };
    const Case cases[] = {
        {L"installed and %s has been updated.", &name, L"installed and Tolvanek Reports has been updated."},
        {L"installed and %s has been updated.", &empty, L"installed and  has been updated."},
        {L"Error Code: %d", &error, L"Error Code: -2147483648"},
        {L"%s", &longName, Wide(longName)},
        {L"%s then %s", &name, L"Tolvanek Reports then %s"},
        {L"100%% sure, %d", &error, L"100% sure, -2147483648"},
        {L"no placeholder.\nSecond line", nullptr, L"no placeholder.\nSecond line"},
        {L"kept %d without argument", nullptr, L"kept %d without argument"},
        {L"percent %% alone", nullptr, L"percent % alone"},
        {L"other %x and trailing %", &name, L"other %x and trailing %"},
        {L"", &name, L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatCatalogueText(c.format, c.argument), c.expected)
            << testing::PrintToString(std::wstring(c.format));
    }
}

}  // namespace

namespace {

TEST(DecimalText, WritesSignedNumbersWithTheirDigits) {
    EXPECT_EQ(DecimalText(0), L"0");
    EXPECT_EQ(DecimalText(1603), L"1603");
    EXPECT_EQ(DecimalText(-2147483648LL), L"-2147483648");
    EXPECT_EQ(DecimalText(-9223372036854775807LL - 1), L"-9223372036854775808");
    EXPECT_EQ(DecimalText(4294967295LL), L"4294967295");
    EXPECT_EQ(DecimalText(7, 2), L"07");
    EXPECT_EQ(DecimalText(2026, 4), L"2026");
    EXPECT_EQ(DecimalText(-5, 3), L"-005");
}

}  // namespace
