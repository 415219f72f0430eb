#include "text/code_page.hpp"

namespace {

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
