// SPDX-License-Identifier: GPL-2.0-or-later
#include "dict/UserText.h"

#include "dict/Cp1257.h"

#include <algorithm>
#include <array>

namespace UserText {
namespace {

struct SComposition {
    char32_t base;
    char32_t mark;
    char32_t composed;
};

// Every letter of the code page that Unicode decomposes, as its base letter and combining mark,
// sorted by base and mark. The code page holds no letter with two marks.
constexpr std::array<SComposition, 60> kCompositions = {{
    {0x0041, 0x0304, 0x0100}, {0x0041, 0x0308, 0x00C4}, {0x0041, 0x030A, 0x00C5}, {0x0041, 0x0328, 0x0104},
    {0x0043, 0x0301, 0x0106}, {0x0043, 0x030C, 0x010C}, {0x0045, 0x0301, 0x00C9}, {0x0045, 0x0304, 0x0112},
    {0x0045, 0x0307, 0x0116}, {0x0045, 0x0328, 0x0118}, {0x0047, 0x0327, 0x0122}, {0x0049, 0x0304, 0x012A},
    {0x0049, 0x0328, 0x012E}, {0x004B, 0x0327, 0x0136}, {0x004C, 0x0327, 0x013B}, {0x004E, 0x0301, 0x0143},
    {0x004E, 0x0327, 0x0145}, {0x004F, 0x0301, 0x00D3}, {0x004F, 0x0303, 0x00D5}, {0x004F, 0x0304, 0x014C},
    {0x004F, 0x0308, 0x00D6}, {0x0052, 0x0327, 0x0156}, {0x0053, 0x0301, 0x015A}, {0x0053, 0x030C, 0x0160},
    {0x0055, 0x0304, 0x016A}, {0x0055, 0x0308, 0x00DC}, {0x0055, 0x0328, 0x0172}, {0x005A, 0x0301, 0x0179},
    {0x005A, 0x0307, 0x017B}, {0x005A, 0x030C, 0x017D}, {0x0061, 0x0304, 0x0101}, {0x0061, 0x0308, 0x00E4},
    {0x0061, 0x030A, 0x00E5}, {0x0061, 0x0328, 0x0105}, {0x0063, 0x0301, 0x0107}, {0x0063, 0x030C, 0x010D},
    {0x0065, 0x0301, 0x00E9}, {0x0065, 0x0304, 0x0113}, {0x0065, 0x0307, 0x0117}, {0x0065, 0x0328, 0x0119},
    {0x0067, 0x0327, 0x0123}, {0x0069, 0x0304, 0x012B}, {0x0069, 0x0328, 0x012F}, {0x006B, 0x0327, 0x0137},
    {0x006C, 0x0327, 0x013C}, {0x006E, 0x0301, 0x0144}, {0x006E, 0x0327, 0x0146}, {0x006F, 0x0301, 0x00F3},
    {0x006F, 0x0303, 0x00F5}, {0x006F, 0x0304, 0x014D}, {0x006F, 0x0308, 0x00F6}, {0x0072, 0x0327, 0x0157},
    {0x0073, 0x0301, 0x015B}, {0x0073, 0x030C, 0x0161}, {0x0075, 0x0304, 0x016B}, {0x0075, 0x0308, 0x00FC},
    {0x0075, 0x0328, 0x0173}, {0x007A, 0x0301, 0x017A}, {0x007A, 0x0307, 0x017C}, {0x007A, 0x030C, 0x017E},
}};

char32_t Compose(char32_t base, char32_t mark) {
    const auto key = [](const SComposition& c) { return std::pair(c.base, c.mark); };
    const auto it = std::lower_bound(kCompositions.begin(), kCompositions.end(), std::pair(base, mark),
                                     [&](const SComposition& c, const auto& k) { return key(c) < k; });
    return it != kCompositions.end() && it->base == base && it->mark == mark ? it->composed : 0;
}

// Not a code point: what Plain gives for a character that is left out.
constexpr char32_t kDrop = 0xFFFFFFFE;

// The plain or canonical form of one code point; kDrop for one that is left out.
char32_t Plain(char32_t cp) {
    switch (cp) {
    case 0x2018:
    case 0x2019:
    case 0x201A:
    case 0x201B:
    case 0x2032:
        return U'\'';
    case 0x201C:
    case 0x201D:
    case 0x201E:
    case 0x201F:
    case 0x2033:
        return U'"';
    case 0x2010:
    case 0x2011:
    case 0x2012:
    case 0x2013:
    case 0x2014:
    case 0x2015:
    case 0x2212:
        return U'-';
    case 0x00A0:
    case 0x2007:
    case 0x202F:
    case 0x205F:
    case 0x3000:
        return U' ';
    case 0x00AD:
    case 0x200B:
    case 0x200C:
    case 0x200D:
    case 0x2060:
    case 0xFEFF:
        return kDrop;
    // Canonical singletons: NFC replaces them by a character the code page holds.
    case 0x212A:
        return U'K';
    case 0x212B:
        return 0x00C5;
    case 0x037E:
        return U';';
    case 0x0387:
        return 0x00B7;
    case 0x1FEF:
        return U'`';
    case 0x1FFD:
        return 0x00B4;
    default:
        break;
    }
    // The typographic spaces from the en quad to the hair space.
    if (cp >= 0x2000 && cp <= 0x200A)
        return U' ';
    return cp;
}

} // namespace

std::u32string Normalise(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t decoded = Cp1257::NextCodePoint(utf8, i);
        const char32_t cp = decoded == Cp1257::kInvalid ? U'\uFFFD' : Plain(decoded);
        if (cp == kDrop)
            continue;
        const char32_t composed = out.empty() ? 0 : Compose(out.back(), cp);
        if (composed != 0)
            out.back() = composed;
        else
            out += cp;
    }
    return out;
}

std::string ToCp1257(std::string_view utf8, bool* pComplete) {
    bool complete = true;
    std::string out;
    for (const char32_t cp : Normalise(utf8)) {
        complete = complete && Cp1257::CanEncode(cp);
        out += Cp1257::FromUnicode(cp);
    }
    if (pComplete != nullptr)
        *pComplete = complete;
    return out;
}

std::optional<std::string> LookupWord(std::string_view utf8) {
    bool complete = true;
    std::string bytes = ToCp1257(utf8, &complete);
    if (!complete)
        return std::nullopt;
    return bytes;
}

std::string ToUtf8(std::u32string_view text) {
    std::string out;
    for (const char32_t cp : text)
        Cp1257::AppendUtf8(out, cp);
    return out;
}

} // namespace UserText
