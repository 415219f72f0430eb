#include "text/code_page.hpp"

#include <cstring>

#include "text/shift_jis.hpp"

namespace {

std::size_t copyAsIs(const char* bytes, std::size_t length, char* out, std::size_t room) {
    std::size_t count = length < room ? length : room;
    std::memcpy(out, bytes, count);
    return count;
}

// Converts `count` units with the platform's converter; see utf16ToCp932.
std::size_t convertUnits(const char16_t* units, std::size_t count, char* out);

// Six characters for which iconv's code page 932 and Windows' (with no best fit) give other
// bytes: each gets Windows' byte on every platform.
constexpr struct {
    char16_t unit;
    char byte;
} windowsBytes[] = {
    {u'\u0080', '\x80'}, {u'\u203E', '?'}, {u'\uF8F0', '\xA0'}, {u'\uF8F1', '\xFD'}, {u'\uF8F2', '\xFE'}, {u'\uF8F3', '\xFF'},
};

bool windowsByteFor(char16_t unit, char& byte) {
    for (const auto& entry : windowsBytes) {
        if (entry.unit == unit) {
            byte = entry.byte;
            return true;
        }
    }
    return false;
}

// The character sets a screen may take text in: Shift-JIS itself (a Windows console, a
// Shift-JIS locale), the C locale's ASCII, UTF-8, EUC-JP, or another.
enum class ScreenSet { shiftJis, ascii, utf8, eucJp, other };

// The size of the EUC-JP character at `at`: 0x8E and a byte, 0x8F and two (half-width
// katakana and JIS X 0212), or two bytes from 0xA1 up, each byte after the first from 0xA1
// up; one byte otherwise.
std::size_t eucJpSize(const char* text, std::size_t at, std::size_t length) {
    auto byte = static_cast<unsigned char>(text[at]);
    std::size_t size = byte == 0x8F ? 3 : byte == 0x8E || (byte >= 0xA1 && byte <= 0xFE) ? 2 : 1;
    if (at + size > length) return 1;
    for (std::size_t i = 1; i < size; ++i) {
        if (static_cast<unsigned char>(text[at + i]) < 0xA1 || static_cast<unsigned char>(text[at + i]) == 0xFF) return 1;
    }
    return size;
}

// The size of the UTF-8 sequence at `at`: a lead byte and as many bytes 0x80 to 0xBF as it
// asks for; 1 for any other byte.
std::size_t utf8Size(const char* text, std::size_t at, std::size_t length) {
    auto byte = static_cast<unsigned char>(text[at]);
    std::size_t size = byte >= 0xC2 && byte <= 0xDF ? 2 : byte >= 0xE0 && byte <= 0xEF ? 3 : byte >= 0xF0 && byte <= 0xF4 ? 4 : 1;
    if (at + size > length) return 1;
    for (std::size_t i = 1; i < size; ++i) {
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 1;
    }
    return size;
}

// The size of the character at `at` of screen text in `set`. The C locale's bytes go to the
// terminal as they are, Shift-JIS text or a UTF-8 name: a UTF-8 sequence first, else a code
// page 932 pair.
std::size_t screenCharacterSize(const char* text, std::size_t at, std::size_t length, ScreenSet set) {
    switch (set) {
        case ScreenSet::shiftJis: return pairedCharacterSize(text, at, length);
        case ScreenSet::eucJp: return eucJpSize(text, at, length);
        case ScreenSet::utf8: return utf8Size(text, at, length);
        case ScreenSet::ascii: {
            std::size_t size = utf8Size(text, at, length);
            return size > 1 ? size : pairedCharacterSize(text, at, length);
        }
        case ScreenSet::other: break;
    }
    return 1;
}

// The length of the longest start of `length` bytes of screen text that has at most `limit`
// bytes and splits no character of `set`.
std::size_t startIn(const char* text, std::size_t length, std::size_t limit, ScreenSet set) {
    std::size_t cut = 0;
    while (cut < length) {
        std::size_t size = screenCharacterSize(text, cut, length, set);
        if (cut + size > limit) break;
        cut += size;
    }
    return cut;
}

// Where the shortest end of `length` bytes of screen text that has at most `limit` bytes and
// splits no character of `set` starts.
std::size_t endIn(const char* text, std::size_t length, std::size_t limit, ScreenSet set) {
    std::size_t from = 0;
    while (length - from > limit) from += screenCharacterSize(text, from, length, set);
    return from;
}

// maskScreenControls for text in `set`, walked by its characters, so that a byte of one is
// never taken for a control. C1 is U+0080 to U+009F in UTF-8 (C2 80 to C2 9F), and elsewhere a
// byte 0x80 to 0x9F that begins no character. Behind the C locale the terminal most often
// takes UTF-8, so both go there.
std::size_t maskControls(char* text, std::size_t length, bool keepNewlines, ScreenSet set) {
    std::size_t kept = 0;
    for (std::size_t at = 0; at < length;) {
        auto byte = static_cast<unsigned char>(text[at]);
        std::size_t size = screenCharacterSize(text, at, length, set);
        bool control;
        if (size == 1) {
            control = (byte < 0x20 && !(keepNewlines && byte == '\n')) || byte == 0x7F ||
                      (set != ScreenSet::utf8 && byte >= 0x80 && byte <= 0x9F);
        } else {
            control = (set == ScreenSet::utf8 || set == ScreenSet::ascii) && size == 2 && byte == 0xC2 &&
                      static_cast<unsigned char>(text[at + 1]) <= 0x9F;
        }
        if (control) {
            text[kept++] = '?';
        } else {
            std::memmove(text + kept, text + at, size);
            kept += size;
        }
        at += size;
    }
    return kept;
}

}  // namespace

std::size_t utf16ToCp932(const char16_t* units, std::size_t count, char* out) {
    std::size_t written = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= count; ++i) {
        char byte = 0;
        if (i < count && !windowsByteFor(units[i], byte)) continue;
        written += convertUnits(units + start, i - start, out + written);
        if (i < count) out[written++] = byte;
        start = i + 1;
    }
    return written;
}

#ifdef _WIN32

#include <windows.h>

namespace {

std::size_t convertUnits(const char16_t* units, std::size_t count, char* out) {
    if (count == 0) return 0;
    // No best fit: a character without its own code page 932 form becomes "?", never a
    // look-alike.
    int written = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t*>(units),
                                      static_cast<int>(count), out, static_cast<int>(2 * count), "?", nullptr);
    return written > 0 ? static_cast<std::size_t>(written) : 0;
}

}  // namespace

std::size_t toScreenText(const char* bytes, std::size_t length, char* out, std::size_t room) {
    return copyAsIs(bytes, length, out, room);
}

// The console takes code page 932 text.
std::size_t maskScreenControls(char* text, std::size_t length, bool keepNewlines) {
    return maskControls(text, length, keepNewlines, ScreenSet::shiftJis);
}

std::size_t screenTextStart(const char* text, std::size_t length, std::size_t limit) {
    return startIn(text, length, limit, ScreenSet::shiftJis);
}

std::size_t screenTextEnd(const char* text, std::size_t length, std::size_t limit) {
    return endIn(text, length, limit, ScreenSet::shiftJis);
}

std::size_t argumentAsScreenText(const char* argument, char* out, std::size_t room) {
    static wchar_t wide[32768];
    int count = MultiByteToWideChar(CP_ACP, 0, argument, static_cast<int>(std::strlen(argument)), wide,
                                    static_cast<int>(room / 2 < 32768 ? room / 2 : 32768));
    return count > 0 ? utf16ToCp932(reinterpret_cast<const char16_t*>(wide), static_cast<std::size_t>(count), out) : 0;
}

#else

#include <iconv.h>
#include <langinfo.h>

#include <cerrno>
#include <clocale>
#include <initializer_list>

namespace {

const iconv_t noConverter = reinterpret_cast<iconv_t>(-1);

// Whether iconv's name of a character set is one of `spellings` (small letters, no - or _).
bool isSpelledAs(const char* codeset, std::initializer_list<const char*> spellings) {
    char name[16] = {};
    std::size_t length = 0;
    for (const char* c = codeset; *c != '\0' && length < sizeof name - 1; ++c) {
        if (*c != '-' && *c != '_' && *c != '.') name[length++] = static_cast<char>(foldAsciiCase(static_cast<unsigned char>(*c)));
    }
    for (const char* spelling : spellings) {
        if (std::strcmp(name, spelling) == 0) return true;
    }
    return false;
}

// The character set of the user's locale (LC_ALL, LC_CTYPE, LANG), and the converter from
// code page 932 to it. Shift-JIS itself gets the bytes as they are, and so does the C
// locale's ASCII, which has no Japanese at all: the terminal behind it most often takes UTF-8
// all the same. The program's own locale is left as it was.
struct Screen {
    ScreenSet set;
    iconv_t converter;
};
const Screen& screen() {
    static const Screen found = [] {
        char saved[256] = "C";
        if (const char* current = std::setlocale(LC_CTYPE, nullptr)) std::strncpy(saved, current, sizeof saved - 1);
        Screen made{ScreenSet::ascii, noConverter};
        if (std::setlocale(LC_CTYPE, "") != nullptr) {
            const char* codeset = nl_langinfo(CODESET);
            if (isSpelledAs(codeset, {"shiftjis", "sjis", "cp932", "windows31j", "mskanji"})) {
                made.set = ScreenSet::shiftJis;
            } else if (!isSpelledAs(codeset, {"ansix3", "ansix341968", "ascii", "usascii"})) {
                made.set = isSpelledAs(codeset, {"utf8"})    ? ScreenSet::utf8
                           : isSpelledAs(codeset, {"eucjp"}) ? ScreenSet::eucJp
                                                             : ScreenSet::other;
                // EUC-JP's own table lacks the characters Microsoft added to code page 932
                // (－ among them); EUC-JP-MS holds every one.
                if (made.set == ScreenSet::eucJp) made.converter = iconv_open("EUC-JP-MS", "CP932");
                if (made.converter == noConverter) made.converter = iconv_open(codeset, "CP932");
                if (made.converter == noConverter) made.set = ScreenSet::ascii;
            }
        }
        std::setlocale(LC_CTYPE, saved);
        return made;
    }();
    return found;
}

std::size_t convertUnits(const char16_t* units, std::size_t count, char* out) {
    if (count == 0) return 0;
    static iconv_t converter = [] {
        const char16_t probe = 1;
        bool little = *reinterpret_cast<const unsigned char*>(&probe) == 1;
        return iconv_open("CP932", little ? "UTF-16LE" : "UTF-16BE");
    }();
    if (converter == noConverter) {
        // No converter at all: every character outside ASCII becomes "?".
        for (std::size_t i = 0; i < count; ++i) out[i] = units[i] < 0x80 ? static_cast<char>(units[i]) : '?';
        return count;
    }
    char* from = const_cast<char*>(reinterpret_cast<const char*>(units));
    std::size_t fromLeft = count * sizeof(char16_t);
    char* to = out;
    std::size_t toLeft = 2 * count;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    while (fromLeft > 0) {
        if (iconv(converter, &from, &fromLeft, &to, &toLeft) != static_cast<std::size_t>(-1)) break;
        if (errno != EILSEQ || toLeft == 0) break;
        // A character code page 932 lacks: one "?" in its place.
        *to++ = '?';
        --toLeft;
        from += sizeof(char16_t);
        fromLeft -= sizeof(char16_t);
    }
    return static_cast<std::size_t>(to - out);
}

}  // namespace

std::size_t toScreenText(const char* bytes, std::size_t length, char* out, std::size_t room) {
    iconv_t converter = screen().converter;
    if (converter == noConverter) return copyAsIs(bytes, length, out, room);
    char* from = const_cast<char*>(bytes);
    std::size_t fromLeft = length;
    char* to = out;
    std::size_t toLeft = room;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    while (fromLeft > 0 && iconv(converter, &from, &fromLeft, &to, &toLeft) == static_cast<std::size_t>(-1)) {
        if (errno == E2BIG || toLeft == 0) break;
        // A broken character, or one the locale lacks: one "?" in its place.
        std::size_t size = characterSize(from, 0, fromLeft);
        if (size == 2 && !isTrailByte(static_cast<unsigned char>(from[1]))) size = 1;
        *to++ = '?';
        --toLeft;
        from += size;
        fromLeft -= size;
    }
    iconv(converter, nullptr, nullptr, &to, &toLeft);
    return static_cast<std::size_t>(to - out);
}

std::size_t maskScreenControls(char* text, std::size_t length, bool keepNewlines) {
    return maskControls(text, length, keepNewlines, screen().set);
}

std::size_t screenTextStart(const char* text, std::size_t length, std::size_t limit) {
    return startIn(text, length, limit, screen().set);
}

std::size_t screenTextEnd(const char* text, std::size_t length, std::size_t limit) {
    return endIn(text, length, limit, screen().set);
}

std::size_t argumentAsScreenText(const char* argument, char* out, std::size_t room) {
    return copyAsIs(argument, std::strlen(argument), out, room);
}

#endif
