// Expected output, written by hand in readable UTF-8 and turned into the program's bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Shift-JIS bytes of `utf8`, each "\n" written as the platform's text streams write it.
std::string expectedOutput(std::string_view utf8);

// Raw bytes (a name that is not valid text, say) with the platform's line ends.
std::string expectedBytes(std::string bytes);

// The usage block every failure ends with, as readable UTF-8 and as the program prints it.
extern const char usageText[];
std::string usageBlock();

// `text` written `count` times over.
std::string repeat(const std::string& text, int count);

// The output cut into lines, each with its line end.
std::vector<std::string> outputLines(const std::string& output);
