// Every text the program prints of its own, as exact Shift-JIS (code page 932) bytes.
//
// The literals are written as hex escapes so that every compiler (GCC, MinGW, MSVC, Clang)
// stores the same bytes whatever its source and execution character sets; the readable text
// stands beside each one. A hex escape swallows every hex digit after it, so a literal is
// split where a plain 0-9/a-f/A-F character follows one.
#pragma once

// Usage block, printed by printUsageAndExit.
inline constexpr char usageRule[] = "--------------------------------------------------------";  // 56 hyphen-minus
inline constexpr char usageTitle[] = "\x91\xE5\x8D\x71\x8A\x43\x8E\x9E\x91\xE3\x82\x52\x82\xCC\x8D\x71\x8A\x43\x8E\x6D\x8F\xEE\x95\xF1\x8F\x6F\x97\xCD\x82\xD5\x81\x5B";  // 大航海時代３の航海士情報出力ぷー
inline constexpr char usageSynopsis[] = "Tidewrit.exe -[s | p | c] -[n | t]";
inline constexpr char usageDefault[] = "\x8E\x77\x92\xE8\x96\xB3\x82\xB5 \x8F\x8A\x8D\xDD\x92\x6E\x88\xEA\x97\x97";  // 指定無し 所在地一覧
inline constexpr char usageSkill[] = "/s       \x83\x58\x83\x4C\x83\x8B\x88\xEA\x97\x97";  // /s       スキル一覧
inline constexpr char usageParameter[] = "/p       \x83\x70\x83\x89\x83\x81\x81\x5B\x83\x5E\x88\xEA\x97\x97";  // /p       パラメータ一覧
inline constexpr char usageCsv[] = "/c       CSV\x82\xC5\x8F\x6F\x97\xCD\x81\x69\x83\x47\x83\x4E\x83\x5A\x83\x8B\x82\xC6\x82\xA9\x82\xC5\x93\xC7\x82\xDD\x82\xB1\x82\xF1\x82\xC5\x82\xAD\x82\xBE\x82\xBF\x82\xA2";  // /c       CSVで出力（エクセルとかで読みこんでくだちい
inline constexpr char usageSort[] = "/t \x82\xC5\x81\x41 \x92\xAC\x82\xC5\x83\x5C\x81\x5B\x83\x67  /n  \x82\xC5 \x96\xBC\x91\x4F\x82\xC5\x83\x5C\x81\x5B\x83\x67";  // /t で、 町でソート  /n  で 名前でソート

// Messages printed before the usage block when an input file cannot be used.
inline constexpr char townListMissing[] = "townList.txt\x82\xF0\x93\xAF\x82\xB6\x83\x66\x83\x42\x83\x8C\x83\x4E\x83\x67\x83\x8A\x82\xC9\x92\x75\x82\xA2\x82\xC4\x82\xCB";  // townList.txtを同じディレクトリに置いてね
inline constexpr char saveFileMissing[] = "\x91\xE5\x8D\x71\x8A\x43\x8E\x9E\x91\xE3\x82\x52\x82\xC6\x93\xAF\x82\xB6\x83\x66\x83\x42\x83\x8C\x83\x4E\x83\x67\x83\x8A\x82\xC9\x92\x75\x82\xA2\x82\xC4\x8E\xC0\x8D\x73\x82\xB5\x82\xC4\x82\xCB";  // 大航海時代３と同じディレクトリに置いて実行してね
inline constexpr char saveFileShort[] = "SAVEDATA.CDS\x82\xAA\x92\x5A\x82\xB7\x82\xAC\x82\xC4\x93\xC7\x82\xDF\x82\xC8\x82\xA2\x82\xE6";  // SAVEDATA.CDSが短すぎて読めないよ

// Shown last when the program has a console window of its own (a double-click, a shortcut),
// which closes as soon as the program ends: the window then waits for Enter.
inline constexpr char closeWindow[] =
    "\x88\xEA\x97\x97\x82\xCC\x8E\xED\x97\xDE\x81\x69/s /p /c\x81\x6A\x82\xE2 townlist.txt \x82\xCC\x8D\xEC\x82\xE8\x95\xFB\x82\xCD\x81\x41readme.txt \x82\xF0\x8C\xA9\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81\x42\n"  // 一覧の種類（/s /p /c）や townlist.txt の作り方は、readme.txt を見てください。
    "Enter \x83\x4C\x81\x5B\x82\xF0\x89\x9F\x82\xB7\x82\xC6\x95\xC2\x82\xB6\x82\xDC\x82\xB7\x81\x42";  // Enter キーを押すと閉じます。

// Location and whereabouts columns.
inline constexpr char inFleet[] = "\x81\x7C\x8A\xCD\x91\xE0\x82\xC9\x8B\xCE\x96\xB1\x92\x86\x81\x7C";  // －艦隊に勤務中－
inline constexpr char tavern[] = "\x8E\xF0\x8F\xEA";  // 酒場
inline constexpr char inn[] = "\x8F\x68\x89\xAE";     // 宿屋

// Fleet posts, by post index.
inline constexpr char postFirstMate[] = "\x95\x9B\x8A\xAF";    // 副官
inline constexpr char postNavigator[] = "\x8D\x71\x8A\x43";    // 航海
inline constexpr char postSurveyor[] = "\x91\xAA\x97\xCA";     // 測量
inline constexpr char postInterpreter[] = "\x92\xCA\x96\xF3";  // 通訳

// Skill list header: one double-byte character per level column; read downwards, the two
// lines give each level's two-character abbreviation.
inline constexpr char skillHeaderTop[] = "\x8D\x71\x89\x5E\x8C\x95\x96\x43\x8E\xCB\x88\xE3\x95\xD9\x91\xAA\x97\xF0\x89\xEF\x91\xA2\x90\x5F\x89\xC8\x83\x58\x83\x7C\x83\x8D\x83\x51\x83\x58\x83\x41\x83\x79\x92\x86\x83\x71\x83\x45\x83\x41\x93\xEC\x93\xEC\x93\x8C";  // 航運剣砲射医弁測歴会造神科スポロゲスアペ中ヒウア南南東
inline constexpr char skillHeaderBottom[] = "\x8A\x43\x97\x70\x8F\x70\x8F\x70\x8C\x82\x8A\x77\x98\x5F\x97\xCA\x8E\x6A\x8C\x76\x91\x44\x8A\x77\x8A\x77\x83\x79\x83\x8B\x83\x7D\x83\x8B\x83\x89\x83\x89\x83\x8B\x8D\x91\x83\x93\x83\x42\x83\x74\x95\xC4\x88\x9F\x88\x9F";  // 海用術術撃学論量史計船学学ペルマルララル国ンィフ米亜亜

// Parameter list header.
inline constexpr char parameterHeader[] = "                     \x93\x9D  \x92\x6D  \x95\x90  \x96\xA3  \x96\xBC\x90\xBA";  // 21 blanks, 統  知  武  魅  名声

// CSV header labels, in column order, ended by a null entry: name, location, the four
// parameters, fame, then the 27 levels in storage order.
inline constexpr const char* csvHeaderLabels[] = {
    "\x96\xBC\x91\x4F",                          // 名前
    "\x8F\x8A\x8D\xDD",                          // 所在
    "\x93\x9D\x97\xA6",                          // 統率
    "\x92\x6D\x97\xCD",                          // 知力
    "\x95\x90\x97\xCD",                          // 武力
    "\x96\xA3\x97\xCD",                          // 魅力
    "\x96\xBC\x90\xBA",                          // 名声
    "\x8D\x71\x8A\x43",                          // 航海
    "\x89\x5E\x97\x70",                          // 運用
    "\x8C\x95\x8F\x70",                          // 剣術
    "\x96\x43\x8F\x70",                          // 砲術
    "\x8E\xCB\x8C\x82",                          // 射撃
    "\x88\xE3\x8A\x77",                          // 医学
    "\x95\xD9\x98\x5F",                          // 弁論
    "\x91\xAA\x97\xCA",                          // 測量
    "\x97\xF0\x8E\x6A",                          // 歴史
    "\x89\xEF\x8C\x76",                          // 会計
    "\x91\xA2\x91\x44",                          // 造船
    "\x90\x5F\x8A\x77",                          // 神学
    "\x89\xC8\x8A\x77",                          // 科学
    "\x83\x58\x83\x79\x83\x43\x83\x93",          // スペイン
    "\x83\x7C\x83\x8B\x83\x67\x83\x4B\x83\x8B",  // ポルトガル
    "\x83\x8D\x83\x7D\x83\x93\x83\x58",          // ロマンス
    "\x83\x51\x83\x8B\x83\x7D\x83\x93",          // ゲルマン
    "\x83\x58\x83\x89\x83\x75",                  // スラブ
    "\x83\x41\x83\x89\x83\x72\x83\x41",          // アラビア
    "\x83\x79\x83\x8B\x83\x56\x83\x83",          // ペルシャ
    "\x92\x86\x8D\x91",                          // 中国
    "\x83\x71\x83\x93\x83\x66\x83\x42\x81\x5B",  // ヒンディー
    "\x83\x45\x83\x42\x83\x4F\x83\x8B",          // ウィグル
    "\x83\x41\x83\x74\x83\x8A\x83\x4A",          // アフリカ
    "\x92\x86\x93\xEC\x95\xC4",                  // 中南米
    "\x93\x8C\x93\xEC\x83\x41\x83\x57\x83\x41",  // 東南アジア
    "\x93\x8C\x83\x41\x83\x57\x83\x41",          // 東アジア
    nullptr,
};
