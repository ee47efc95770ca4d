#include "messages/format_text.h"

Text FormatCatalogueText(const Text& format, const Text* argument) {
    Text text;
    bool filled = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const wchar_t next = i + 1 < format.size() ? format[i + 1] : L'\0';
        if (format[i] == L'%' && next == L'%') {
            text += L'%';
            ++i;
        } else if (format[i] == L'%' && (next == L'd' || next == L's') && argument && !filled) {
            text += *argument;
            filled = true;
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
}

Text DecimalText(long long value, int minimumDigits) {
    // Unsigned, so that the most negative value has a magnitude too.
    unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                             : static_cast<unsigned long long>(value);
    // Filled from the end: twenty digits hold any 64-bit magnitude.
    wchar_t digits[20];
    std::size_t start = sizeof digits / sizeof digits[0];
    do {
        digits[--start] = static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    Text text = value < 0 ? L"-" : L"";
    for (std::size_t count = sizeof digits / sizeof digits[0] - start;
         count < static_cast<std::size_t>(minimumDigits); ++count) {
        text += L'0';
    }
    return text.append(digits + start, sizeof digits / sizeof digits[0] - start);
}
