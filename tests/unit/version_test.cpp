#include <gtest/gtest.h>

#include <string>

#include "installer/version.h"
#include "tests/support/text_support.h"

namespace {

struct VersionCase {
    std::wstring text;
    VersionQuad expected;
};

TEST(ParseVersion, ReadsFourSixteenBitParts) {
    const VersionCase cases[] = {
        {L"200.0.282.0", {{200, 0, 282, 0}}},
        {L"200,0,282,0", {{200, 0, 282, 0}}},
        {L"200.0,282.0", {{200, 0, 282, 0}}},
        {L"200.0.236.0,", {{200, 0, 236, 0}}},
        {L"200.0.282", {{200, 0, 0, 0}}},  // a part needs a "." after it, but the fourth
        {L"7", {{0, 0, 0, 0}}},
        {L"abc", {{0, 0, 0, 0}}},
        {L"", {{0, 0, 0, 0}}},
        {L" 12 .x3.4.5", {{12, 0, 4, 5}}},
        {L"\t\r\n\v\f7.1.1.1", {{7, 1, 1, 1}}},
        {L".1.2.3", {{0, 1, 2, 3}}},
        {L"1..2.3", {{1, 0, 2, 3}}},
        {L"1.2.3.4.5", {{1, 2, 3, 4}}},
        {L"-1.0.0.0", {{65535, 0, 0, 0}}},
        {L"65536.65537.0.0", {{0, 1, 0, 0}}},
        {L"70000.0.0.0", {{4464, 0, 0, 0}}},
        {L"4294967297.0.0.0", {{1, 0, 0, 0}}},  // wraps at 32 bits first
        {L"+5.+6.-0.9a", {{5, 6, 0, 9}}},
        {L"--5.+-6.0.0", {{0, 0, 0, 0}}},  // one sign at most
        {L"\u22125.1.1.1", {{0, 1, 1, 1}}},  // the Unicode minus is no sign
        {L"\u0662\u0660\u0660.\u0660.\u0662\u0668\u0662.\u0660", {{200, 0, 282, 0}}},  // Arabic-Indic
        {L"\u0968.\uFF11\uFF12.\u0E53.\u1819", {{2, 12, 3, 9}}},  // Devanagari, fullwidth, Thai, Mongolian
        {L"\u0669\u0661\u06F1.0.0.0", {{911, 0, 0, 0}}},
        {L"\u00B2.0.0.0", {{0, 0, 0, 0}}},  // a superscript two is no decimal digit
    };
    for (const VersionCase& c : cases) {
        EXPECT_EQ(ParseVersion(ToText(c.text)).parts, c.expected.parts) << testing::PrintToString(c.text);
    }
}

TEST(ParseVersion, LeavesTheCallersTextAlone) {
    const Text text = L"200,0,282,0";
    ParseVersion(text);
    EXPECT_EQ(text, L"200,0,282,0");
}

TEST(SameVersion, ComparesAllFourParts) {
    EXPECT_TRUE(SameVersion(ParseVersion(L"200.0.282.0"), ParseVersion(L"200.0.282.0")));
    EXPECT_TRUE(SameVersion(ParseVersion(L"200.0.282.0"), ParseVersion(L"200,0,282,0")));
    EXPECT_TRUE(SameVersion(ParseVersion(L"200.0.282"), ParseVersion(L"200.0.0.0")));
    EXPECT_FALSE(SameVersion(ParseVersion(L"200.0.282"), ParseVersion(L"200.0.282.0")));
    EXPECT_TRUE(SameVersion(ParseVersion(L"65736.0.0.0"), ParseVersion(L"200.0.0.0")));
    for (int part = 0; part < 4; ++part) {
        VersionQuad other = ParseVersion(L"1.2.3.4");
        other.parts[part] = 9;
        EXPECT_FALSE(SameVersion(ParseVersion(L"1.2.3.4"), other)) << part;
    }
}

TEST(ParseNumber, ReadsASigned32BitNumberWithoutReduction) {
    EXPECT_EQ(ParseNumber(L"1036"), 1036);
    EXPECT_EQ(ParseNumber(L"  -1"), -1);
    EXPECT_EQ(ParseNumber(L"2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseNumber(L"70000x"), 70000);
    EXPECT_EQ(ParseNumber(L""), 0);
    EXPECT_EQ(ParseNumber(L"x1"), 0);
}

}  // namespace

namespace {

TEST(MatchApplicableVersions, WalksTheEntriesBeforeEachComma) {
    const VersionQuad installed = ParseVersion(L"200.0.236.0");
    const VersionQuad target = ParseVersion(L"200.0.282.0");
    struct Case {
        const wchar_t* list;
        ApplicableMatch expected;
    };
    const Case cases[] = {
        {L"200.0.236.0,", ApplicableMatch::kInstalled},
        {L"199.0.0.0,200,0,236,0,", ApplicableMatch::kNone},  // "," is a separator here
        {L"199.0.0.0,200.0.236.0,", ApplicableMatch::kInstalled},
        {L"200.0.236.0", ApplicableMatch::kNone},  // no comma: never read
        {L"199.0.0.0,200.0.236.0", ApplicableMatch::kNone},
        {L"200.0.282.0,200.0.236.0,", ApplicableMatch::kTarget},  // the target comes first
        {L"200.0.236.0,200.0.282.0,", ApplicableMatch::kInstalled},
        {L"", ApplicableMatch::kNone},
        {L",", ApplicableMatch::kNone},  // an empty entry reads as 0.0.0.0
        {L" 200.0.236.0 ,", ApplicableMatch::kInstalled},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchApplicableVersions(c.list, installed, target), c.expected)
            << testing::PrintToString(std::wstring(c.list));
    }
    EXPECT_EQ(MatchApplicableVersions(L",", ParseVersion(L""), target), ApplicableMatch::kInstalled);
}

}  // namespace
