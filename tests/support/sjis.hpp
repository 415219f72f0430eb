#pragma once

#include <string>
#include <string_view>

// Convert readable UTF-8 text to Shift-JIS (code page 932) bytes with the platform's own
// converter, independently of the program's literals. Throws if a character has no
// Shift-JIS form.
std::string toSjis(std::string_view utf8);
