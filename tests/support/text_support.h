#pragma once

#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "base/text.h"

// The program's own text type next to the tests' std::wstring.
inline std::wstring Wide(const Text& text) { return std::wstring(text.c_str(), text.size()); }
inline Text ToText(const std::wstring& text) { return Text(text.data(), text.size()); }

inline bool operator==(const Text& a, const std::wstring& b) { return Wide(a) == b; }
inline bool operator==(const std::wstring& a, const Text& b) { return a == Wide(b); }
inline bool operator==(const Text& a, const wchar_t* b) { return Wide(a) == b; }

// Failures show the text, not its bytes.
inline void PrintTo(const Text& text, std::ostream* out) {
    *out << testing::PrintToString(Wide(text));
}
