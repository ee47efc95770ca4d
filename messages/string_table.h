#pragma once

#include <windows.h>

#include "base/text.h"

// The text of string-table entry `id` in exactly the language `language`;
// false when that language has no such entry or it is empty.
bool ReadStringEntry(HMODULE module, UINT id, LANGID language, Text& text);

// Loads entry `id` the way LoadStringW does (at most capacity - 1
// characters, the count as the result, 0 and an empty string when there is
// none), but in the language of the thread's locale, chosen here: Windows
// and Wine would pick by the user-interface language instead. An entry
// missing in that language is taken from another sublanguage of the same
// language, then from English (United States), then from any language that
// has it.
int LoadResString(HINSTANCE module, UINT id, Text& text, int capacity);
