// A town list's bytes as code page 932 (Shift-JIS) text, whichever encoding it was saved in.
#pragma once

#include <cstddef>
#include <string_view>

// How much of a town list is read: a real one is a few KB, and an endless stream (a link to
// /dev/zero) ends here too. toShiftJis takes no more than this.
constexpr std::size_t townListReadLimit = 1 << 20;

// The text of `length` bytes (at most townListReadLimit) of a file, in code page 932. The
// encoding is decided once for the whole file:
// - a byte order mark EF BB BF, FF FE or FE FF: UTF-8, UTF-16 LE or UTF-16 BE;
// - no mark, and among the first 256 bytes zero bytes at every other place only, two at
//   least and in one place in eight of them: UTF-16 LE (zeros at the odd places) or BE;
// - no mark, at least one byte from 0x80 up and well-formed UTF-8 throughout: UTF-8 (a last
//   character cut off by the size limit does not count against it, and is left out);
// - anything else: Shift-JIS, returned as it is, byte for byte.
// UTF-8 and UTF-16 are converted without their mark. A character code page 932 lacks, an
// ill-formed UTF-8 sequence and a lone surrogate each become one "?"; a last odd byte of
// UTF-16 is dropped. The result stays valid until the next call.
std::string_view toShiftJis(const unsigned char* bytes, std::size_t length);
