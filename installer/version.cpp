#include "installer/version.h"

#include <cwctype>

namespace {

// The zero digit of every script whose ten decimal digits count.
constexpr wchar_t kZeroDigits[] = {0x0660, 0x06F0, 0x0966, 0x09E6, 0x0A66, 0x0AE6,
                                   0x0B66, 0x0C66, 0x0CE6, 0x0D66, 0x0E50, 0x0ED0,
                                   0x0F20, 0x1040, 0x17E0, 0x1810, 0xFF10};

int DigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    for (const wchar_t zero : kZeroDigits) {
        if (c >= zero && c < zero + 10) return c - zero;
    }
    return -1;
}

}  // namespace

std::int32_t ParseNumber(const Text& text, std::size_t start) {
    std::size_t i = start;
    while (i < text.size() && std::iswspace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    std::uint32_t value = 0;  // unsigned: overflow wraps around, as intended
    for (; i < text.size() && DigitValue(text[i]) >= 0; ++i) {
        value = value * 10u + static_cast<std::uint32_t>(DigitValue(text[i]));
    }
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

VersionQuad ParseVersion(Text text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L',') text[i] = L'.';
    }
    VersionQuad version;
    std::size_t start = 0;
    for (std::size_t part = 0; part < 3; ++part) {
        const std::size_t dot = text.find(L'.', start);
        if (dot == Text::npos) return version;
        // The number ends at the "." at the latest: a dot is never a digit.
        version.parts[part] = static_cast<std::uint16_t>(ParseNumber(text, start));
        start = dot + 1;
    }
    version.parts[3] = static_cast<std::uint16_t>(ParseNumber(text, start));
    return version;
}

bool SameVersion(const VersionQuad& a, const VersionQuad& b) { return a.parts == b.parts; }

ApplicableMatch MatchApplicableVersions(const Text& applicableVersions,
                                        const VersionQuad& installed, const VersionQuad& target) {
    std::size_t start = 0;
    for (std::size_t comma; (comma = applicableVersions.find(L',', start)) != Text::npos;
         start = comma + 1) {
        const VersionQuad entry = ParseVersion(applicableVersions.substr(start, comma - start));
        if (SameVersion(entry, installed)) return ApplicableMatch::kInstalled;
        if (SameVersion(entry, target)) return ApplicableMatch::kTarget;
    }
    return ApplicableMatch::kNone;
}
