// Writes the synthetic example game folder: a 224-line townlist.txt of historical port
// names, a SAVEDATA.CDS with 205 made-up navigators, and earlier.CDS, the same save a voyage
// before, for the page to compare with. Nothing here comes from the game.
//
//   make_example DIR          write the three files into DIR
//   make_example --check DIR  exit 1 unless the files in DIR are as this program makes them
#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "support/game_folder.hpp"
#include "support/sjis.hpp"

namespace {

// Town 0 first; the file lists them the other way round.
const char* const portNames[] = {
    "リスボン", "セビリア", "ポルト", "カディス", "マラガ", "バレンシア", "バルセロナ", "マルセイユ",
    "ジェノヴァ", "ピサ", "ナポリ", "ヴェネツィア", "ラグーサ", "シラクサ", "パレルモ", "カリアリ",
    "アテネ", "カンディア", "イスタンブール", "サロニカ", "アレクサンドリア", "ベイルート", "ヤッファ", "ファマグスタ",
    "トリポリ", "チュニス", "アルジェ", "セウタ", "ロンドン", "プリマス", "ブリストル", "ダブリン",
    "エディンバラ", "アムステルダム", "アントワープ", "ハンブルク", "リューベック", "ブレーメン", "コペンハーゲン", "ストックホルム",
    "ダンツィヒ", "リガ", "ベルゲン", "ナント", "ボルドー", "カレー", "オスロ", "ヨーテボリ",
    "カルマル", "ストラルズント", "ロストック", "エムデン", "ロッテルダム", "ミデルブルフ", "ブルージュ", "ダンケルク",
    "シェルブール", "サンマロ", "ブレスト", "ラロシェル", "バイヨンヌ", "ビルバオ", "サンタンデル", "ヒホン",
    "ラコルーニャ", "ビーゴ", "ファロ", "ラゴス", "ウエルバ", "ジブラルタル", "アルメリア", "アリカンテ",
    "パルマ", "トゥーロン", "ニース", "リボルノ", "アンコーナ", "バーリ", "ターラント", "メッシーナ",
    "バレッタ", "コルフ", "ロードス", "スミルナ", "トラブゾン", "カッファ", "シノプ", "ヴァルナ",
    "ガリポリ", "アンタリヤ", "イスケンデルン", "ティール", "アッコ", "ダミエッタ", "ロゼッタ", "ベンガジ",
    "スース", "オラン", "タンジール", "ララシュ", "サレ", "サフィ", "アガディール", "マデイラ",
    "ラスパルマス", "アルギン", "ゴレ", "ビサウ", "フリータウン", "エルミナ", "サントメ", "ルアンダ",
    "ベンゲラ", "ケープタウン", "ソファラ", "モザンビーク", "キルワ", "モンバサ", "マリンディ", "ザンジバル",
    "モガディシュ", "アデン", "ジッダ", "マスカット", "ホルムズ", "バスラ", "ソコトラ", "モカ",
    "マッサワ", "スアキン", "ディウ", "ゴア", "カリカット", "コーチン", "コロンボ", "マスリパタム",
    "カルカッタ", "マラッカ", "アチェ", "バンテン", "バタヴィア", "パレンバン", "ブルネイ", "マニラ",
    "アンボン", "テルナテ", "マカッサル", "アユタヤ", "パタニ", "ツーラン", "マカオ", "スーラト",
    "ダマン", "カンナノール", "マンガロール", "ネガパタム", "プリカット", "チッタゴン", "ペグー", "メルギー",
    "テナセリム", "ケダ", "ジョホール", "スラバヤ", "グレシク", "ジャパラ", "クーパン", "バンダ",
    "ソロール", "ホロ", "セブ", "広州", "泉州", "杭州", "寧波", "福州",
    "温州", "厦門", "登州", "長崎", "平戸", "堺", "博多", "那覇",
    "釜山", "済州", "鹿児島", "兵庫", "ハバナ", "サントドミンゴ", "サンファン", "ベラクルス",
    "カルタヘナ", "パナマ", "ポルトベロ", "マラカイボ", "カラカス", "トルヒーヨ", "キュラソー", "ポートロイヤル",
    "サルバドル", "レシフェ", "リオデジャネイロ", "ブエノスアイレス", "リマ", "アカプルコ", "ボストン", "チャールストン",
    "ケベック", "ハリファックス", "ペンサコーラ", "カンペチェ", "ベリーズ", "グアヤキル", "バルパライソ", "コンセプシオン",
    "モンテビデオ", "サントス", "ベレン", "サンルイス", "フォルタレザ", "ナタール", "ブリッジタウン", "カイエンヌ",
};

const char* const givenNames[] = {
    "ジョアン", "ペドロ", "カタリナ", "マルコ", "イサベル", "ディエゴ", "ルイサ", "アントニオ",
    "Pedro", "Miguel", "Anna", "Hendrik", "Willem", "Sofia", "Jan", "Elena",
    "さくら", "はやて", "こはる", "みなと", "あおい", "かえで",
    "李", "王", "陳", "張", "鄭", "林",
};
const char* const familyNames[] = {
    "フェレイラ", "デ・ソウザ", "ロドリゲス", "ガルシア", "ベルナルディ", "モンテス", "ファン・ダイク",
    "Alvarez", "Costa", "de Vries", "Rossi", "Almeida", "Moreau", "Kowalski",
    "うみの", "なみかぜ", "しおさい",
    "海舟", "大河", "青嵐", "白波", "東風", "南海",
};

// A small fixed generator, so that the folder comes out the same byte for byte every time.
unsigned nextRandom(unsigned& state) {
    state = state * 1103515245u + 12345u;
    return (state >> 16) & 0x7FFF;
}

std::string townList() {
    std::vector<std::string> lines;
    for (int town = 223; town >= 0; --town) lines.push_back(toSjis(portNames[town]));
    return townListText(lines, "\r\n");
}

SaveImage saveImage() {
    unsigned state = 1603;
    SaveImage image = blankSaveImage();
    // The bytes the program does not read hold noise, as a real save's would hold other data.
    for (unsigned char& byte : image) byte = static_cast<unsigned char>(nextRandom(state));
    for (int number = 0; number < 205; ++number) {
        SaveNavigator navigator;
        navigator.name1 = toSjis(givenNames[nextRandom(state) % std::size(givenNames)]);
        navigator.name2 = toSjis(familyNames[nextRandom(state) % std::size(familyNames)]);
        navigator.location = static_cast<int>(nextRandom(state) % 224);
        unsigned where = nextRandom(state) % 10;
        navigator.whereabouts = where < 3 ? 4 : where < 5 ? 5 : static_cast<int>(where % 4);
        navigator.leadership = 20 + static_cast<int>(nextRandom(state) % 80);
        navigator.intellect = 20 + static_cast<int>(nextRandom(state) % 80);
        navigator.combat = 20 + static_cast<int>(nextRandom(state) % 80);
        navigator.charm = 20 + static_cast<int>(nextRandom(state) % 80);
        navigator.fame = static_cast<int>(nextRandom(state) % 3000);
        for (int& level : navigator.levels) level = static_cast<int>(nextRandom(state) % 13);
        putNavigator(image, number, navigator);
    }
    // A few navigators are somewhere without a town name.
    for (int number : {33, 120, 187}) image[37450 + number * 144 + 46] = static_cast<unsigned char>(224 + number % 32);
    // The fleet's crew is in no tavern and at no inn, so that every report shows its posts.
    const std::array<int, 4> fleet = {12, 57, 101, 160};
    putFleetPosts(image, fleet);
    for (int number : fleet) {
        unsigned char& whereabouts = image[37450 + number * 144 + 48];
        if (whereabouts == 4 || whereabouts == 5) whereabouts = 0;
    }
    return image;
}

// The save a voyage before: six navigators were otherwise. 7 was in another town, 20 a level
// lower, 45 a level higher and less famous, 130 at an inn, not in a tavern; 99 held the post
// that 160 holds now.
SaveImage earlierImage(SaveImage image) {
    auto field = [&image](int number, int offset) -> unsigned char& { return image[37450 + number * 144 + offset]; };
    field(7, 46) = static_cast<unsigned char>((field(7, 46) + 5) % 224);
    field(20, 11) = static_cast<unsigned char>(field(20, 11) > 0 ? field(20, 11) - 1 : 1);
    field(45, 12) = static_cast<unsigned char>(field(45, 12) + 1);
    field(45, 38) = static_cast<unsigned char>(field(45, 38) > 100 ? field(45, 38) - 100 : 0);
    field(130, 48) = 5;
    putFleetPosts(image, {12, 57, 101, 99});
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    static_assert(std::size(portNames) == 224, "one name per town");
    bool check = argc == 3 && std::strcmp(argv[1], "--check") == 0;
    if (argc != 2 && !check) {
        std::fputs("usage: make_example [--check] DIR\n", stderr);
        return 2;
    }
    std::filesystem::path folder = argv[argc - 1];
    std::string towns = townList();
    SaveImage save = saveImage();
    std::string saveBytes(save.begin(), save.end());
    SaveImage earlier = earlierImage(save);
    std::string earlierBytes(earlier.begin(), earlier.end());
    if (check) {
        bool same = readFile(folder / "townlist.txt") == towns && readFile(folder / "SAVEDATA.CDS") == saveBytes &&
                    readFile(folder / "earlier.CDS") == earlierBytes;
        if (!same) std::fputs("the example folder differs from what make_example writes\n", stderr);
        return same ? 0 : 1;
    }
    writeFile(folder / "townlist.txt", towns);
    writeFile(folder / "SAVEDATA.CDS", saveBytes);
    writeFile(folder / "earlier.CDS", earlierBytes);
    return 0;
}
