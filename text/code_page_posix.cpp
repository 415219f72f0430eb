// utf16ToCp932's converter on Linux and the like: iconv.
#include <iconv.h>

#include <cerrno>

#include "text/code_page.hpp"

std::size_t convertUnits(const char16_t* units, std::size_t count, char* out) {
    if (count == 0) return 0;
    static iconv_t converter = [] {
        const char16_t probe = 1;
        bool little = *reinterpret_cast<const unsigned char*>(&probe) == 1;
        return iconv_open("CP932", little ? "UTF-16LE" : "UTF-16BE");
    }();
    if (converter == reinterpret_cast<iconv_t>(-1)) {
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
