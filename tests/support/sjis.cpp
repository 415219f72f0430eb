#include "support/sjis.hpp"

#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

std::string toSjis(std::string_view utf8) {
    if (utf8.empty()) return {};
#ifdef _WIN32
    int wideLength = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (wideLength == 0) throw std::runtime_error("not UTF-8");
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), wideLength);
    BOOL lossy = FALSE;
    int length = WideCharToMultiByte(932, 0, wide.data(), wideLength, nullptr, 0, nullptr, &lossy);
    std::string sjis(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(932, 0, wide.data(), wideLength, sjis.data(), length, nullptr, &lossy);
    if (length == 0 || lossy) throw std::runtime_error("no Shift-JIS form");
    return sjis;
#else
    return fromUtf8(utf8, "CP932");
#endif
}

#ifndef _WIN32
std::string fromUtf8(std::string_view utf8, const char* encoding) {
    iconv_t converter = iconv_open(encoding, "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error(std::string("no converter to ") + encoding);
    std::string in(utf8);
    std::string out(in.size() * 2, '\0');
    char* from = in.data();
    char* to = out.data();
    std::size_t fromLeft = in.size();
    std::size_t toLeft = out.size();
    std::size_t result = iconv(converter, &from, &fromLeft, &to, &toLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1)) throw std::runtime_error(std::string("no form in ") + encoding);
    out.resize(out.size() - toLeft);
    return out;
}
#endif
