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
