#include "messages/format_text.h"

std::wstring FormatCatalogueText(const std::wstring& format, const std::wstring* argument) {
    std::wstring text;
    text.reserve(format.size() + (argument ? argument->size() : 0));
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

std::wstring DecimalText(long long value, int minimumDigits) {
    // Unsigned, so that the most negative value has a magnitude too.
    unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                             : static_cast<unsigned long long>(value);
    std::wstring digits;
    do {
        digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (digits.size() < static_cast<std::size_t>(minimumDigits)) {
        digits.insert(0, static_cast<std::size_t>(minimumDigits) - digits.size(), L'0');
    }
    return value < 0 ? L"-" + digits : digits;
}
