#include <gtest/gtest.h>

#include <string>

#include "base/heap_array.h"
#include "base/text.h"
#include "tests/support/text_support.h"

namespace {

// The terminator that must follow the characters.
void ExpectTerminated(const Text& text) {
    EXPECT_EQ(text.c_str()[text.size()], L'\0');
}

TEST(Text, StartsEmptyAndTerminated) {
    Text text;
    ASSERT_NE(text.c_str(), nullptr);
    EXPECT_EQ(text, L"");
    ASSERT_NE(text.data(), nullptr);
    EXPECT_EQ(text.data()[0], L'\0');
}

TEST(Text, GrowsByAppendingAndStaysTerminated) {
    Text text;
    std::wstring expected;
    for (int i = 0; i < 1000; ++i) {
        const wchar_t c = static_cast<wchar_t>(L'a' + i % 26);
        text += c;
        expected += c;
    }
    text += L"end";
    expected += L"end";
    EXPECT_EQ(text, expected);
    ExpectTerminated(text);
}

TEST(Text, TakesPartsOfItselfAsSources) {
    Text text = L"abcdef";
    // Enough to grow, so a source inside the old buffer would be freed first.
    for (int i = 0; i < 4; ++i) text.append(text.c_str(), text.size());
    EXPECT_EQ(text.size(), 96u);
    EXPECT_EQ(text.substr(90), L"abcdef");

    text.assign(text.c_str() + 2, 3);
    EXPECT_EQ(text, L"cde");
    text = text;
    EXPECT_EQ(text, L"cde");
    ExpectTerminated(text);
}

TEST(Text, KeepsCharactersAfterANull) {
    const wchar_t chars[] = {L'a', L'\0', L'b'};
    const Text text(chars, 3);
    EXPECT_EQ(text.size(), 3u);
    EXPECT_EQ(text, std::wstring(chars, 3));
    EXPECT_NE(text, Text(L"a"));
    EXPECT_EQ(text.find(L'b'), 2u);
}

TEST(Text, ResizesWithZerosAndCutsShort) {
    Text text = L"ab";
    text.resize(5);
    EXPECT_EQ(text, std::wstring(L"ab\0\0\0", 5));
    ExpectTerminated(text);
    text.resize(1);
    EXPECT_EQ(text, L"a");
    ExpectTerminated(text);
    text.clear();
    EXPECT_TRUE(text.empty());
    ExpectTerminated(text);
}

TEST(Text, FindsAndCutsOutParts) {
    const Text text = L"a;bc;d";
    EXPECT_EQ(text.find(L';'), 1u);
    EXPECT_EQ(text.find(L';', 2), 4u);
    EXPECT_EQ(text.find(L';', 5), Text::npos);
    EXPECT_EQ(text.find(L';', 100), Text::npos);
    EXPECT_EQ(text.substr(2, 2), L"bc");
    EXPECT_EQ(text.substr(5, 100), L"d");
    EXPECT_EQ(text.substr(6), L"");
    EXPECT_EQ(text.substr(100), L"");
    EXPECT_EQ(L"<" + text + L">", L"<a;bc;d>");
}

TEST(Text, CopiesAndMovesOwnTheirCharacters) {
    Text original = L"original";
    Text copy = original;
    copy += L"!";
    EXPECT_EQ(original, L"original");

    Text moved = std::move(copy);
    EXPECT_EQ(moved, L"original!");
    EXPECT_EQ(copy, L"");  // NOLINT: a moved-from text is empty and usable
    copy = L"again";
    EXPECT_EQ(copy, L"again");
}

TEST(Text, RefusesASizeBeyondMemoryAndKeepsItsText) {
    Text text = L"kept";
    EXPECT_FALSE(text.TryAssign(L"x", Text::npos / 4));
    EXPECT_EQ(text, L"kept");
    EXPECT_TRUE(text.TryAssign(L"new", 3));
    EXPECT_EQ(text, L"new");
}

// Counts the items alive, to show every one made is ended exactly once.
struct Counted {
    static int alive;
    int value;
    explicit Counted(int v = 0) : value(v) { ++alive; }
    Counted(const Counted& other) : value(other.value) { ++alive; }
    Counted(Counted&& other) noexcept : value(other.value) { ++alive; }
    ~Counted() { --alive; }
};
int Counted::alive = 0;

TEST(HeapArray, MovesItsItemsAlongAsItGrows) {
    {
        HeapArray<Counted> items;
        for (int i = 0; i < 100; ++i) items.push_back(Counted(i));
        ASSERT_EQ(items.size(), 100u);
        for (int i = 0; i < 100; ++i) EXPECT_EQ(items[i].value, i);
        EXPECT_EQ(Counted::alive, 100);
        items.pop_back();
        EXPECT_EQ(Counted::alive, 99);
        HeapArray<Counted> taken = std::move(items);
        EXPECT_TRUE(items.empty());  // NOLINT: moved-from
        EXPECT_EQ(taken.back().value, 98);
    }
    EXPECT_EQ(Counted::alive, 0);
}

TEST(HeapArray, TakesItsOwnItemAsTheOneToAdd) {
    HeapArray<Text> texts{L"first"};
    for (int i = 0; i < 10; ++i) texts.push_back(texts[0]);
    EXPECT_EQ(texts.size(), 11u);
    for (const Text& text : texts) EXPECT_EQ(text, L"first");
}

TEST(HeapArray, ResizesWithZerosOrRefusesAndKeepsItsItems) {
    HeapArray<unsigned> numbers(3, 7u);
    numbers.resize(5);
    EXPECT_EQ(numbers[2], 7u);
    EXPECT_EQ(numbers[4], 0u);
    // Opaque to the compiler, which would otherwise warn about the size.
    volatile std::size_t beyondMemory = static_cast<std::size_t>(-1) / 2;
    EXPECT_FALSE(numbers.TryResize(beyondMemory));
    ASSERT_EQ(numbers.size(), 5u);
    EXPECT_EQ(numbers[0], 7u);
    numbers.resize(1);
    EXPECT_EQ(numbers.size(), 1u);
}

}  // namespace
