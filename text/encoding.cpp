#include "text/encoding.hpp"

#include "text/code_page.hpp"

namespace {

enum class Encoding { shiftJis, utf8, utf16le, utf16be };

// Where UTF-8 and UTF-16 are decoded to (one unit a character, never more than one per
// byte) and then converted to (two bytes a unit, the room the converter asks for).
char16_t units[townListReadLimit];
char converted[2 * townListReadLimit];

bool startsWith(const unsigned char* bytes, std::size_t length, std::string_view mark) {
    return length >= mark.size() && std::string_view(reinterpret_cast<const char*>(bytes), mark.size()) == mark;
}

// The length of the well-formed UTF-8 sequence at `at` (Unicode's table of well-formed
// byte sequences: no overlong forms, no surrogates, nothing above U+10FFFF), or of its
// longest well-formed beginning, negated; -1 for a byte that begins none.
int sequenceAt(const unsigned char* bytes, std::size_t at, std::size_t length) {
    unsigned char lead = bytes[at];
    if (lead < 0x80) return 1;
    int size;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) size = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) size = 3, low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
    else if (lead >= 0xF0 && lead <= 0xF4) size = 4, low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
    else return -1;
    for (int i = 1; i < size; ++i) {
        if (at + i >= length) return -i;
        unsigned char next = bytes[at + i];
        if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF)) return -i;
    }
    return size;
}

// Whether the ill-formed sequence at `at`, whose sequenceAt is `size`, is only cut off by
// the end of a file that the size limit cut short.
bool cutOffByLimit(const unsigned char* bytes, std::size_t at, std::size_t length, int size) {
    bool lead = bytes[at] >= 0xC2 && bytes[at] <= 0xF4;
    return lead && length == townListReadLimit && at + static_cast<std::size_t>(-size) == length;
}

// The character of a well-formed sequence of `size` bytes.
char32_t decode(const unsigned char* sequence, int size) {
    static const unsigned char leadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t character = sequence[0] & leadMask[size];
    for (int i = 1; i < size; ++i) character = character << 6 | (sequence[i] & 0x3F);
    return character;
}

// UTF-16 saved without a byte order mark: among the file's first bytes, zero bytes stand at
// every other place, and only there (the high bytes of ASCII and of line ends): two at
// least, and at least one place in eight of them; at the odd places for little-endian, at
// the even ones for big-endian. Shift-JIS and UTF-8 text hold no zero bytes, but for a
// stray one.
bool zeroAtEveryOtherPlace(const unsigned char* bytes, std::size_t length, std::size_t first) {
    constexpr std::size_t looked = 256;
    std::size_t end = (length < looked ? length : looked) & ~std::size_t{1};
    std::size_t zeros = 0;
    for (std::size_t at = 0; at < end; ++at) {
        if (bytes[at] != 0) continue;
        if (at % 2 != first) return false;
        ++zeros;
    }
    return zeros >= 2 && zeros * 8 >= end / 2;
}

// The file's encoding; `mark` is set to the length of its byte order mark, if any.
Encoding encodingOf(const unsigned char* bytes, std::size_t length, std::size_t& mark) {
    mark = 3;
    if (startsWith(bytes, length, "\xEF\xBB\xBF")) return Encoding::utf8;
    mark = 2;
    if (startsWith(bytes, length, "\xFF\xFE")) return Encoding::utf16le;
    if (startsWith(bytes, length, "\xFE\xFF")) return Encoding::utf16be;
    mark = 0;
    if (zeroAtEveryOtherPlace(bytes, length, 1)) return Encoding::utf16le;
    if (zeroAtEveryOtherPlace(bytes, length, 0)) return Encoding::utf16be;
    bool high = false;
    for (std::size_t at = 0; at < length;) {
        if (bytes[at] < 0x80) {
            ++at;
            continue;
        }
        int size = sequenceAt(bytes, at, length);
        if (size < 0) return high && cutOffByLimit(bytes, at, length, size) ? Encoding::utf8 : Encoding::shiftJis;
        high = true;
        at += static_cast<std::size_t>(size);
    }
    return high ? Encoding::utf8 : Encoding::shiftJis;
}

// Eight characters that JIS-based tables (iconv's) and Microsoft's (Windows') give code page
// 932 bytes for differently: each is taken as the character Microsoft's table holds for those
// bytes, so that both platforms give the same bytes (〜 81 60, ‖ 81 61, − 81 7C, — 81 5C,
// ¢ 81 91, £ 81 92, ¬ 81 CA, ¥ 5C).
constexpr char16_t sameOnEveryPlatform[][2] = {
    {u'\u301C', u'\uFF5E'}, {u'\u2016', u'\u2225'}, {u'\u2212', u'\uFF0D'}, {u'\u2014', u'\u2015'},
    {u'\u00A2', u'\uFFE0'}, {u'\u00A3', u'\uFFE1'}, {u'\u00AC', u'\uFFE2'}, {u'\u00A5', u'\u005C'},
};

// Code page 932 has no character beyond the Basic Multilingual Plane: such a character
// becomes "?" here, as does an ill-formed sequence or a lone surrogate.
char16_t unitFor(char32_t character) {
    if (character > 0xFFFF || (character >= 0xD800 && character <= 0xDFFF)) return u'?';
    for (const auto& [from, to] : sameOnEveryPlatform) {
        if (character == from) return to;
    }
    return static_cast<char16_t>(character);
}

// `bytes` are the whole file and `from` the end of its byte order mark.
std::size_t decodeUtf8(const unsigned char* bytes, std::size_t from, std::size_t length) {
    std::size_t count = 0;
    for (std::size_t at = from; at < length;) {
        int size = sequenceAt(bytes, at, length);
        if (size > 0) {
            units[count++] = unitFor(decode(bytes + at, size));
            at += static_cast<std::size_t>(size);
            continue;
        }
        if (cutOffByLimit(bytes, at, length, size)) break;
        // Each longest beginning of a well-formed sequence, or a byte that begins none.
        units[count++] = u'?';
        at += static_cast<std::size_t>(-size);
    }
    return count;
}

std::size_t decodeUtf16(const unsigned char* bytes, std::size_t length, bool bigEndian) {
    auto unitAt = [&](std::size_t at) -> char32_t {
        return bigEndian ? (bytes[at] << 8 | bytes[at + 1]) : (bytes[at + 1] << 8 | bytes[at]);
    };
    std::size_t count = 0;
    for (std::size_t at = 0; at + 1 < length; at += 2) {
        char32_t unit = unitAt(at);
        bool pair = unit >= 0xD800 && unit <= 0xDBFF && at + 3 < length && unitAt(at + 2) >= 0xDC00 &&
                    unitAt(at + 2) <= 0xDFFF;
        if (pair) at += 2;  // a character beyond the Basic Multilingual Plane
        units[count++] = pair ? u'?' : unitFor(unit);
    }
    return count;
}

}  // namespace

std::string_view toShiftJis(const unsigned char* bytes, std::size_t length) {
    std::size_t mark;
    Encoding encoding = encodingOf(bytes, length, mark);
    if (encoding == Encoding::shiftJis) return {reinterpret_cast<const char*>(bytes), length};
    std::size_t count = encoding == Encoding::utf8
                            ? decodeUtf8(bytes, mark, length)
                            : decodeUtf16(bytes + mark, length - mark, encoding == Encoding::utf16be);
    return {converted, utf16ToCp932(units, count, converted)};
}
