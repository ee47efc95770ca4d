#pragma once

#include <array>
#include <cstdint>

#include "base/text.h"

// A version as four unsigned 16-bit parts, leftmost first. Versions are
// only ever compared for equality.
struct VersionQuad {
    std::array<std::uint16_t, 4> parts{};
};

// Reads "a.b.c.d" ("," counts as "."). A part is taken only when a "."
// follows it, the fourth excepted: "200.0.282" is 200.0.0.0. Each part is
// converted by ParseNumber and kept modulo 65536. Every text gives a quad.
VersionQuad ParseVersion(Text text);

bool SameVersion(const VersionQuad& a, const VersionQuad& b);

// The number at the start of `text`: leading white space, one optional "+"
// or "-", then decimal digits (of any of the scripts Windows knows decimal
// digits in) up to the first other character, in 32-bit arithmetic that
// wraps around. 0 when there are no digits.
std::int32_t ParseNumber(const Text& text, std::size_t start = 0);

enum class ApplicableMatch {
    kNone,       // no entry equals either version: the patch does not fit
    kInstalled,  // an entry equals the installed version: the patch applies
    kTarget,     // an entry equals the target version first
};

// Walks a list of versions each followed by "," ("200.0.236.0,"), in
// order, to the first entry equal to the installed or the target version.
// Text after the last comma is never read, so a version without its comma
// never matches.
ApplicableMatch MatchApplicableVersions(const Text& applicableVersions,
                                        const VersionQuad& installed, const VersionQuad& target);
