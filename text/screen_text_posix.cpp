// The screen's character set on Linux and the like: the user's locale's, converted to by
// iconv.
#include <iconv.h>
#include <langinfo.h>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <initializer_list>

#include "text/screen_text.hpp"
#include "text/shift_jis.hpp"

namespace {

const iconv_t noConverter = reinterpret_cast<iconv_t>(-1);

std::size_t copyAsIs(const char* bytes, std::size_t length, char* out, std::size_t room) {
    std::size_t count = length < room ? length : room;
    std::memcpy(out, bytes, count);
    return count;
}

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

}  // namespace

ScreenSet screenSet() { return screen().set; }

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

std::size_t argumentAsScreenText(const char* argument, char* out, std::size_t room) {
    return copyAsIs(argument, std::strlen(argument), out, room);
}
