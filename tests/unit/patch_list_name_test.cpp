#include <gtest/gtest.h>

#include <string>

#include "content/patch_list.h"
#include "tests/support/text_support.h"

namespace {

TEST(MakePatchListName, TakesFourCharactersAfterTheFirstDash) {
    struct Case {
        std::wstring targets;
        std::wstring name;
    };
    const Case cases[] = {
        {L"{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE};{AAAAAAAA-BBBB-CCCC-DDDD-FFFFFFFFFFFF}",
         L"patchlistBBBB.txt"},
        {L"X:{AAAAAAAA-ABCD-CCCC-DDDD-EEEEEEEEEEEE}", L"patchlistABCD.txt"},
        {L"ABCDEF", L"patchlistABCD.txt"},
        {L"{AB-C}", L"patchlistC}.txt"},
        {L"", L"patchlist.txt"},
        {L"AB:CDEFGH", L"patchlistCDEF.txt"},  // a ":" without a "-"
        {L"a-b", L"patchlistb.txt"},
        {L"ab-", L"patchlist.txt"},
        {std::wstring(L"{AAAAAAAA-7A3F-") + std::wstring(100000, L'9') + L"}", L"patchlist7A3F.txt"},
        // No character that would leave the file name, or the folder.
        {L"x-..\\a", L"patchlist.._a.txt"},
        {L"x-/\\?*", L"patchlist____.txt"},
        {L"a:b-c:d", L"patchlistc_d.txt"},
        {L"x-\"<>|", L"patchlist____.txt"},
        {L"x-\t\r\nA", L"patchlist___A.txt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MakePatchListName(ToText(c.targets)), c.name)
            << testing::PrintToString(c.targets.substr(0, 60));
    }
}

}  // namespace
