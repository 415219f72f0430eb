// utf16ToCp932's converter on Windows: its own code page 932.
#include <windows.h>

#include "text/code_page.hpp"

std::size_t convertUnits(const char16_t* units, std::size_t count, char* out) {
    if (count == 0) return 0;
    // No best fit: a character without its own code page 932 form becomes "?", never a
    // look-alike.
    int written = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t*>(units),
                                      static_cast<int>(count), out, static_cast<int>(2 * count), "?", nullptr);
    return written > 0 ? static_cast<std::size_t>(written) : 0;
}
