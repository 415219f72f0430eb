#include "text/screen_text.hpp"

#include <cstring>

#include "text/shift_jis.hpp"

namespace {

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

std::size_t maskScreenControls(char* text, std::size_t length, bool keepNewlines) {
    return maskControls(text, length, keepNewlines, screenSet());
}

std::size_t screenTextStart(const char* text, std::size_t length, std::size_t limit) {
    return startIn(text, length, limit, screenSet());
}

std::size_t screenTextEnd(const char* text, std::size_t length, std::size_t limit) {
    return endIn(text, length, limit, screenSet());
}
