// The screen on Windows: a console, which takes code page 932 text through its Unicode
// interface, so the text goes to it as it is.
#include <windows.h>

#include <cstring>

#include "text/code_page.hpp"
#include "text/screen_text.hpp"

ScreenSet screenSet() { return ScreenSet::shiftJis; }

std::size_t toScreenText(const char* bytes, std::size_t length, char* out, std::size_t room) {
    std::size_t count = length < room ? length : room;
    std::memcpy(out, bytes, count);
    return count;
}

std::size_t argumentAsScreenText(const char* argument, char* out, std::size_t room) {
    static wchar_t wide[32768];
    int count = MultiByteToWideChar(CP_ACP, 0, argument, static_cast<int>(std::strlen(argument)), wide,
                                    static_cast<int>(room / 2 < 32768 ? room / 2 : 32768));
    return count > 0 ? utf16ToCp932(reinterpret_cast<const char16_t*>(wide), static_cast<std::size_t>(count), out) : 0;
}
