// The rules of Shift-JIS (code page 932) characters that the program needs: which byte
// begins a double-byte character, and so where text may be cut without splitting one.
#pragma once

#include <array>
#include <cstddef>

// Whether `byte` begins a double-byte character of code page 932.
constexpr bool isLeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

// Whether `byte` can be the second byte of a double-byte character of code page 932.
constexpr bool isTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFC && byte != 0x7F; }

// What each byte can be in code page 932 text, as bits, for a walk that looks each byte up
// once: a lead byte (isLeadByte), a second byte (isTrailByte), a control byte
// (isControlByte, and the zero byte).
enum : unsigned char { leadByteKind = 1, trailByteKind = 2, controlByteKind = 4 };
inline constexpr std::array<unsigned char, 256> byteKinds = [] {
    std::array<unsigned char, 256> kinds{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        auto b = static_cast<unsigned char>(byte);
        kinds[byte] = static_cast<unsigned char>((isLeadByte(b) ? leadByteKind : 0) | (isTrailByte(b) ? trailByteKind : 0) |
                                                 (b < 0x20 || b == 0x7F ? controlByteKind : 0));
    }
    return kinds;
}();

// `byte` with an ASCII capital made small: file names, the name sort and the names of
// character sets all ignore ASCII case alike, and no other.
inline unsigned char foldAsciiCase(unsigned char byte) {
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// Whether `byte` is a control byte (0x00 to 0x1F, 0x7F), which a terminal may act on.
inline bool isControlByte(char byte) { return static_cast<unsigned char>(byte) < 0x20 || byte == 0x7F; }

// The size in bytes of the character at `at` in `length` bytes of text: a lead byte and the
// byte after it, whatever that is, are one character; any other byte, and a lead byte that
// ends the text, is a character of its own.
inline std::size_t characterSize(const char* text, std::size_t at, std::size_t length) {
    return isLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < length ? 2 : 1;
}

// The same as a reader that pairs a lead byte only with a byte that can follow it (a browser,
// a terminal) takes it: any other byte after a lead byte is a character of its own.
inline std::size_t pairedCharacterSize(const char* text, std::size_t at, std::size_t length) {
    return isLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < length &&
                   isTrailByte(static_cast<unsigned char>(text[at + 1]))
               ? 2
               : 1;
}

// The length of the longest start of `length` bytes of text that has at most `limit` bytes
// and splits no character.
inline std::size_t wholeCharacters(const char* text, std::size_t length, std::size_t limit) {
    std::size_t cut = 0;
    while (cut < length) {
        std::size_t size = characterSize(text, cut, length);
        if (cut + size > limit) break;
        cut += size;
    }
    return cut;
}
