#include "messages/string_table.h"

#include <algorithm>

#include "base/heap_array.h"

namespace {

// String-table entries live in blocks of sixteen: block n + 1 holds the
// ids 16n to 16n + 15, each as a length followed by that many characters.
constexpr UINT kEntriesPerBlock = 16;

const wchar_t* BlockName(UINT id) {
    return MAKEINTRESOURCEW(id / kEntriesPerBlock + 1);
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR context) {
    reinterpret_cast<HeapArray<LANGID>*>(context)->push_back(language);
    return TRUE;
}

// The languages to try, best first.
HeapArray<LANGID> CandidateLanguages(HMODULE module, UINT id, LANGID wanted) {
    HeapArray<LANGID> present;
    EnumResourceLanguagesW(module, MAKEINTRESOURCEW(6) /* RT_STRING */, BlockName(id),
                           CollectLanguage, reinterpret_cast<LONG_PTR>(&present));
    const LANGID english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    HeapArray<LANGID> order{wanted};
    for (const LANGID language : present) {
        if (language != wanted && PRIMARYLANGID(language) == PRIMARYLANGID(wanted)) {
            order.push_back(language);
        }
    }
    order.push_back(english);
    for (const LANGID language : present) order.push_back(language);
    return order;
}

}  // namespace

bool ReadStringEntry(HMODULE module, UINT id, LANGID language, Text& text) {
    const HRSRC block = FindResourceExW(module, MAKEINTRESOURCEW(6) /* RT_STRING */,
                                        BlockName(id), language);
    if (block == nullptr) return false;
    const HGLOBAL loaded = LoadResource(module, block);
    const auto* entry = loaded ? static_cast<const WCHAR*>(LockResource(loaded)) : nullptr;
    if (entry == nullptr) return false;
    const WCHAR* const end = entry + SizeofResource(module, block) / sizeof(WCHAR);

    // Every step is checked against the block's end: the module may be any file.
    for (UINT skip = id % kEntriesPerBlock; skip > 0; --skip) {
        if (entry >= end || end - entry - 1 < *entry) return false;
        entry += 1 + *entry;
    }
    if (entry >= end || *entry == 0 || end - entry - 1 < *entry) return false;
    text.assign(entry + 1, *entry);
    return true;
}

int LoadResString(HINSTANCE module, UINT id, Text& text, int capacity) {
    text.clear();
    if (capacity <= 0) return 0;
    const LANGID wanted = LANGIDFROMLCID(GetThreadLocale());
    for (const LANGID language : CandidateLanguages(module, id, wanted)) {
        if (ReadStringEntry(module, id, language, text)) break;
    }
    // As LoadStringW hands it over: up to a terminator, within the capacity.
    const std::size_t length = std::min(text.find(L'\0'), text.size());
    text.resize(std::min(length, static_cast<std::size_t>(capacity - 1)));
    return static_cast<int>(text.size());
}
