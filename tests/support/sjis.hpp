#pragma once

#include <string>
#include <string_view>

// Convert readable UTF-8 text to Shift-JIS (code page 932) bytes with the platform's own
// converter, independently of the program's literals. Throws if a character has no
// Shift-JIS form.
std::string toSjis(std::string_view utf8);

#ifndef _WIN32
// The same in another character set that iconv knows (EUC-JP-MS, say).
std::string fromUtf8(std::string_view utf8, const char* encoding);
#endif
