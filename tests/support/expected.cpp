#include "support/expected.hpp"

#include "support/sjis.hpp"

std::string expectedBytes(std::string bytes) {
#ifdef _WIN32
    std::string crlf;
    for (char c : bytes) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    return crlf;
#else
    return bytes;
#endif
}

std::string expectedOutput(std::string_view utf8) { return expectedBytes(toSjis(utf8)); }

const char usageText[] =
    "--------------------------------------------------------\n"
    "大航海時代３の航海士情報出力ぷー\n"
    "Tidewrit.exe -[s | p | c | h] -[n | t]\n"
    "指定無し 所在地一覧\n"
    "/s       スキル一覧\n"
    "/p       パラメータ一覧\n"
    "/c       CSVで出力（エクセルとかで読みこんでくだちい\n"
    "/h       HTMLで出力（ブラウザで見てね）\n"
    "/b FILE  /h のページを、前回のセーブデータ FILE と比べる\n"
    "/t で、 町でソート  /n  で 名前でソート\n"
    "--------------------------------------------------------\n";

std::string usageBlock() { return expectedOutput(usageText); }

std::string repeat(const std::string& text, int count) {
    std::string repeated;
    for (int i = 0; i < count; ++i) repeated += text;
    return repeated;
}

std::vector<std::string> outputLines(const std::string& output) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < output.size()) {
        std::size_t end = output.find('\n', start);
        end = end == std::string::npos ? output.size() : end + 1;
        lines.push_back(output.substr(start, end - start));
        start = end;
    }
    return lines;
}
