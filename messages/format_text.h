#pragma once

#include "base/text.h"

// Fills a catalogue text the way wsprintfW fills a format with one argument,
// without its 1024-character limit: the first "%d" or "%s" becomes
// `argument` (already written out as text), "%%" becomes "%". With no
// argument, placeholders are left as they stand. Any other "%" is kept.
Text FormatCatalogueText(const Text& format, const Text* argument);

// `value` in decimal, with a "-" when negative and leading zeros up to
// `minimumDigits`. (The C runtime's formatting would bring its whole
// printf engine into the exe.)
Text DecimalText(long long value, int minimumDigits = 1);
