#!/bin/sh
# Tidewrit.exe on a console, under Wine, as a player meets it:
# - started from a command prompt (cmd /c, which shares its console with the program), on a
#   console whose code page is not Japanese, it shows every report as the same text that it
#   writes, as Shift-JIS bytes, into a file, and ends at once; control bytes of a name show
#   as ?;
# - started alone on a console of its own, as by a double-click in Explorer, it shows the
#   report, or the message and the usage block, then its last two lines, waits for Enter and
#   ends with the run's exit status;
# - with its output sent to a file, it never waits, and shows the message line and the usage
#   block on the console all the same;
# - where an input file is missing, it shows last, before its closing lines, the folder it
#   looked in and what it did not find there;
# - BATCH, the packaged Tidewrit-csv.bat, and Tidewrit-html.bat beside it, each copied with it
#   into a game folder and started there twice, save the CSV or the HTML page twice in the
#   user's own folder, each time in a new file, leave the first one as it was and end with
#   exit status 0; where the program fails (no town list), where Tidewrit.exe is not beside
#   them, or where the user's folder cannot be written, they say so, leave no file and end
#   with exit status 1; Tidewrit-html.bat also writes its page as navigators.html, the second
#   time, after the game saved, compared with the save of the first, whose copy it keeps in
#   the user's folder, never in the game's;
# - Tidewrit-watch.bat, left open in the game folder, writes the page (numbered and as
#   navigators.html) when the save changes, compared with the save before, and not without
#   a change;
# - the screen lines on what to do next show last: the program's own folder when it was
#   started elsewhere, files named almost so, the argument not understood (a full-width one
#   on a Japanese system), options of joined letters, a save too short.
#   console_test.sh BATCH FOLDER EMULATOR... PROGRAM
# Under Wine a pseudo-terminal is a console, and a program started straight in one is the
# only process on it. With a UTF-8 locale Wine shows what the program gave WriteConsoleW as
# UTF-8, among terminal escape sequences and CRs, which are taken out here (Wine also leaves
# out the blanks that end a line, and so does this test). Wine now and then fails to start a
# program although nothing is wrong with it: a start that shows nothing at all is tried
# again, twice at most.
set -eu
batch=$1
folder=$2
shift 2
export LANG=C.UTF-8 LC_ALL=C.UTF-8

# The words given, each quoted for the shell.
quoted() {
  for word in "$@"; do printf "'%s' " "$(printf '%s' "$word" | sed "s/'/'\\\\''/g")"; done
}
# The emulator's words, and the program, also by its Windows name for cmd.
emulator=
count=0
for word in "$@"; do
  count=$((count + 1))
  [ "$count" -lt $# ] && emulator="$emulator$(quoted "$word")"
  program=$word
done
windows_program="Z:$(printf '%s' "$program" | tr / '\\')"

closing="一覧の種類（/s /p /c /h）や townlist.txt の作り方は、readme.txt を見てください。
Enter キーを押すと閉じます。"

# What a screen shows, without escape sequences, CRs, blanks at line ends and the lines that
# script itself writes into its typescript.
plain() {
  sed -e 's/\x1b\[[0-9;?]*[A-Za-z]//g' -e 's/\x1b\][^\x07]*\x07//g' -e 's/\r//g' -e 's/ *$//' \
      -e '/^Script started on /d' -e '/^Script done on /d'
}

# FOLDER's whole name as Windows programs under Wine see it.
windows_path() { printf 'Z:%s' "$(cd "$1" && pwd -P | tr / '\\')"; }

# What the command given prints, run again, twice at most, while it prints nothing at all.
until_shown() {
  for try in 1 2 3; do
    text=$("$@" </dev/null) || true
    [ -z "$text" ] || break
  done
  printf '%s\n' "$text"
}

failed=0
trap '' PIPE
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Started from a command prompt: the report, and no wait. A program that shows its closing
# lines waits for a key that is never pressed: it is ended at once, and its screen shows
# them. A wide terminal, so that Wine does not fold the CSV's long lines.
from_cmd() {  # OPTIONS
  rm -f "$work/cmd_screen"
  timeout 120 script -qefc "stty cols 1000; $emulator cmd /c $(quoted "$windows_program") $1" "$work/cmd_screen" \
    </dev/null >/dev/null 2>&1 &
  running=$!
  while kill -0 "$running" 2>/dev/null; do
    if grep -q "Enter キーを押すと閉じます。" "$work/cmd_screen" 2>/dev/null; then
      kill "$running"
      break
    fi
    sleep 0.2
  done
  wait "$running" || true
  plain <"$work/cmd_screen"
}
cd "$folder"
for options in "" "/s" "/p /t" "/c /n"; do
  "$@" $options >"$work/file" </dev/null
  expected=$(iconv -f CP932 -t UTF-8 <"$work/file" | plain)
  # A report is never empty: a console that shows nothing at all is a start that Wine failed.
  shown=$(until_shown from_cmd "$options")
  if printf '%s\n' "$shown" | grep -q "Enter キーを押すと閉じます。"; then
    echo "from cmd, the program waited for Enter with options '$options'" >&2
    failed=1
  elif [ "$shown" != "$expected" ]; then
    echo "from cmd, the console shows a different report for options '$options':" >&2
    printf '%s\n' "$shown" | head -5 >&2
    failed=1
  fi
done

# The page on the console: not its code, but the usage block and how to get the page.
shown=$(until_shown from_cmd "/h")
if printf '%s\n' "$shown" | grep -q '<!DOCTYPE' ||
   ! printf '%s\n' "$shown" | grep -qF "Tidewrit.exe /h > navigators.html のようにファイルに保存して、ブラウザで開いてね"; then
  echo "from cmd, /h does not say how to get the page: $(printf '%s\n' "$shown" | tail -3)" >&2
  failed=1
fi

# A save whose last navigator's names would retitle and clear the console (navigator 204's
# entry starts at 66826: name1 at 66876, name2 at 66895): the console shows ? for each
# control byte, and a lone 0x80 (U+0080 to the console) too. Its other names are empty, so
# the screen then says it is no save.
mkdir "$work/hostile"
head -c 66970 /dev/zero >"$work/hostile/SAVEDATA.CDS"
printf '\033]0;x\007' | dd of="$work/hostile/SAVEDATA.CDS" bs=1 seek=66876 conv=notrunc 2>/dev/null
printf '\033[2J\200' | dd of="$work/hostile/SAVEDATA.CDS" bs=1 seek=66895 conv=notrunc 2>/dev/null
for town in $(seq 224); do echo Port; done >"$work/hostile/townlist.txt"
shown=$(cd "$work/hostile" && until_shown from_cmd "")
last=$(printf '%s\n' "$shown" | tail -2 | head -1)
if [ "$(printf '%s\n' "$shown" | tail -1)" != "SAVEDATA.CDS は大航海時代３のセーブデータではないみたい（205人中 205人の名前が文字になっていないよ）" ]; then
  echo "from cmd, a file of empty names is not said to be no save: $(printf '%s\n' "$shown" | tail -1)" >&2
  failed=1
fi
if [ "$last" != "204:Port            (   0)   ?]0;x?  ?[2J?" ]; then
  echo "from cmd, a name's control bytes reach the console: $(printf '%s' "$last" | od -c | head -3)" >&2
  failed=1
fi

# What the console shows last in a folder without either input file.
missing_both() {
  printf '%s\n' "探したフォルダ：$(windows_path .)" "townlist.txt が見つからないよ" \
    "ひな形の townlist-template.txt は Tidewrit の ZIP に入っているよ。ゲームのフォルダにコピーして、名前を townlist.txt に変えてね" \
    "SAVEDATA.CDS が見つからないよ" \
    "SAVEDATA.CDS のあるゲームのフォルダに townlist.txt を置いて、そこで実行してね"
}

# Started alone in the current folder, the console shows what goes to a file, then the
# screen lines SHOWN, then the closing lines; the program still runs when they are shown,
# and ends with STATUS once Enter is pressed.
#   run_alone WHAT STATUS SHOWN EMULATOR... PROGRAM
run_alone() {
  what=$1
  want_status=$2
  screen_lines=$3
  shift 3
  file_status=0
  "$@" >"$work/file" </dev/null || file_status=$?
  expected=$(iconv -f CP932 -t UTF-8 <"$work/file" | plain)
  [ -z "$screen_lines" ] || expected="$expected
$screen_lines"
  expected="$expected
$closing"
  for try in 1 2 3; do
    rm -f "$work/input" "$work/typescript" "$work/status"
    mkfifo "$work/input"
    (set +e
     script -qefc "stty cols 1000; $emulator $(quoted "$program")" "$work/typescript" <"$work/input" >/dev/null
     echo $? >"$work/status") &
    exec 3>"$work/input"
    tries=0
    until grep -q "Enter キーを押すと閉じます。" "$work/typescript" 2>/dev/null || [ -e "$work/status" ]; do
      tries=$((tries + 1))
      [ "$tries" -lt 600 ] || break
      sleep 0.5
    done
    sleep 2
    ended=no
    [ ! -e "$work/status" ] || ended=yes
    printf '\r' 2>/dev/null >&3 || true  # Enter; nobody reads it where the program has ended
    exec 3>&-
    wait
    shown=$(plain <"$work/typescript")
    [ -z "$shown" ] || break  # nothing at all shown: Wine did not start the program
  done
  if [ "$ended" = yes ]; then
    echo "$what: the program ended without waiting for Enter" >&2
    failed=1
  fi
  if [ "$shown" != "$expected" ]; then
    echo "$what: alone on its console, the program shows" >&2
    printf '%s\n' "$shown" | tail -5 >&2
    failed=1
  fi
  if [ "$(cat "$work/status")" != "$want_status" ] || [ "$file_status" != "$want_status" ]; then
    echo "$what: exit status $(cat "$work/status") after Enter (and $file_status to a file), not $want_status" >&2
    failed=1
  fi
}

# Started alone on its console with its output sent to a file, as a launcher that captures
# the output starts it: it ends by itself, with STATUS, although it is alone on its console,
# and the console shows SHOWN (the message line and the usage block, once, through the
# console, then where the program looked) and nothing else.
#   alone_to_file WHAT STATUS SHOWN OPTIONS
alone_to_file() {
  for try in 1 2 3; do
    rm -f "$work/typescript"
    status=0
    timeout 60 script -qec "stty cols 1000; $emulator $(quoted "$program") $4 > $(quoted "$work/out")" "$work/typescript" \
      </dev/null >/dev/null || status=$?
    # Nothing at all shown where something should be, or with a failed status, is a start
    # that Wine failed.
    if [ "$status" != 124 ] && [ -z "$(plain <"$work/typescript")" ] && { [ -n "$3" ] || [ "$status" != "$2" ]; }; then
      continue
    fi
    break
  done
  if [ "$status" = 124 ]; then
    echo "$1: with the output in a file, the program waited" >&2
    failed=1
  elif [ "$status" != "$2" ]; then
    echo "$1: with the output in a file, exit status $status, not $2" >&2
    failed=1
  fi
  shown=$(plain <"$work/typescript")
  if [ "$shown" != "$3" ]; then
    echo "$1: with the output in a file, the console shows" >&2
    printf '%s\n' "$shown" >&2
    failed=1
  fi
}

run_alone "the location list" 0 "" "$@"
alone_to_file "the CSV" 0 "" /c
mkdir "$work/empty"
cd "$work/empty"
run_alone "no town list" 1 "$(missing_both)" "$@"
alone_to_file "no town list" 1 "$(iconv -f CP932 -t UTF-8 <"$work/file" | plain)
$(missing_both)" /c

# The batch files, started as Explorer starts them, by their Windows paths; the final pause
# ends at the end of input. In "alone" they have no Tidewrit.exe beside them.
mkdir "$work/game" "$work/alone"
cp "$folder/SAVEDATA.CDS" "$folder/townlist.txt" "$work/game/"
for place in game empty alone; do
  [ "$place" = alone ] || cp "$program" "$work/$place/Tidewrit.exe"
  cp "$batch" "$(dirname "$batch")/Tidewrit-html.bat" "$(dirname "$batch")/Tidewrit-watch.bat" "$work/$place/"
done
(cd "$work/game" && "$@" /c >"$work/expected.csv" </dev/null)
# What the program prints in the game folder with OPTIONS, quoted for the shell.
game_report() { (cd "$work/game" && eval "$emulator $(quoted "$program") $1" </dev/null); }
# Tidewrit-KIND.bat in FOLDER, what it shows in $work/shown and its exit status in
# batch_status; with PROFILE, a Windows path, as the user's own folder.
#   run_batch FOLDER [PROFILE]
run_batch() {
  command=$(quoted "$(windows_path "$1")\\Tidewrit-$kind.bat")
  [ $# -lt 2 ] || command="set $(quoted "USERPROFILE=$2&&") $command"
  batch_status=0
  eval "$emulator cmd /c $command" </dev/null >"$work/shown" 2>&1 || batch_status=$?
}
# A failed run of the batch file: exit status 1, no new file, no word of a file saved, and the
# screen says WORDS (under Wine its Japanese lines garble: only what is ASCII in them can be
# looked for).
#   batch_fails WHAT WORDS
batch_fails() {
  [ "$batch_status" = 1 ] || { echo "$kind, $1: the batch file ended with exit status $batch_status, not 1" >&2; failed=1; }
  if [ "$(saved | grep -vxF "$before" | grep -c .)" != 2 ]; then
    echo "$kind, $1: the batch file left a file behind" >&2
    failed=1
  fi
  if ! grep -qF "$2" "$work/shown" || grep -q "navigators-" "$work/shown"; then
    printf '%s\n' "$kind, $1: the batch file did not say '$2', or named a file saved; it showed:" >&2
    cat "$work/shown" >&2
    failed=1
  fi
}
# The user's own folder, where the files go.
wine_answer() { eval "$emulator $1" | tr -d '\r'; }
profile=$(until_shown wine_answer "cmd /c 'echo %USERPROFILE%'")
profile=$(until_shown wine_answer "winepath -u $(quoted "$profile")")
[ -d "$profile" ] || { echo "the user's own folder was not found: '$profile'" >&2; exit 1; }
# The files of KIND (csv, html) in the user's folder.
saved() { ls "$profile" | grep "^navigators-[0-9]*\\.$kind\$" | sort; }
# Tidewrit-KIND.bat, which saves what the program prints for KIND, NAMED so on the screen,
# run twice, then where it cannot save.
#   check_batch KIND NAMED
# The page's first run shows the example's earlier save, the second, after the game saved, the
# example's save compared with it.
check_batch() {
  kind=$1
  before=$(saved)
  expected_first=$work/expected.$kind expected_second=$work/expected.$kind
  kept="$profile/navigators-save.cds"
  if [ "$kind" = html ]; then
    rm -f "$profile/navigators.html" "$kept"
    cp "$folder/earlier.CDS" "$work/game/SAVEDATA.CDS"
    game_report /h >"$work/expected-first.html"
    expected_first=$work/expected-first.html expected_second=$work/expected-second.html
  fi
  game_files=$(ls "$work/game")
  run_batch "$work/game"
  [ "$batch_status" = 0 ] || { echo "$kind: the batch file saved with exit status $batch_status, not 0" >&2; failed=1; }
  first=$(saved | grep -vxF "$before" || true)
  cp "$profile/$first" "$work/first.$kind" 2>/dev/null || true
  if [ "$kind" = html ]; then
    cmp -s "$kept" "$work/game/SAVEDATA.CDS" || { echo "html: the save shown is not kept beside the page" >&2; failed=1; }
    cp "$folder/SAVEDATA.CDS" "$work/game/SAVEDATA.CDS"
    game_report "/h /b $(quoted "$(windows_path "$profile")\\navigators-save.cds")" >"$expected_second"
    iconv -f CP932 -t UTF-8 <"$expected_second" | grep -c "変わった航海士 6人" >/dev/null ||
      { echo "html: the example's save compared with its earlier one does not show 6 changed" >&2; failed=1; }
  fi
  run_batch "$work/game"
  [ "$batch_status" = 0 ] || { echo "$kind: the batch file saved with exit status $batch_status, not 0" >&2; failed=1; }
  new=$(saved | grep -vxF "$before" || true)
  second=$(printf '%s\n' "$new" | grep -vxF "$first" || true)
  if [ "$(printf '%s\n' "$new" | grep -c .)" != 2 ]; then
    echo "$kind: two runs of the batch file made these new files: $new" >&2
    failed=1
  else
    cmp -s "$profile/$first" "$expected_first" || { echo "$first is not what the program prints" >&2; failed=1; }
    cmp -s "$profile/$second" "$expected_second" || { echo "$second is not what the program prints" >&2; failed=1; }
    cmp -s "$profile/$first" "$work/first.$kind" || { echo "the second run changed $first" >&2; failed=1; }
    grep -q "users.*$second" "$work/shown" || { echo "the second run did not say where $second is" >&2; failed=1; }
    if [ "$kind" = html ] && ! cmp -s "$profile/navigators.html" "$profile/$second"; then
      echo "html: navigators.html is not the newest page" >&2
      failed=1
    fi
  fi
  [ "$(ls "$work/game")" = "$game_files" ] || { echo "$kind: the batch file wrote in the game folder" >&2; failed=1; }
  run_batch "$work/empty"
  batch_fails "without a town list" "$2"
  run_batch "$work/alone"
  batch_fails "without Tidewrit.exe" "Tidewrit.exe"
  run_batch "$work/game" 'Z:\no\such\folder'
  batch_fails "with a user's folder it cannot write" 'Z:\no\such\folder'
  for name in $new; do rm -f "$profile/$name"; done
}
check_batch csv CSV
check_batch html HTML

# Tidewrit-watch.bat, left open in the game folder, where the save is the one the last page
# showed: no page until the game saves (the save replaced whole), then one, compared with
# the save before, and none more.
kind=html
before=$(saved)
cp -p "$profile/navigators-save.cds" "$work/before.cds"
(eval "timeout 120 $emulator cmd /c $(quoted "$(windows_path "$work/game")\\Tidewrit-watch.bat")" \
   </dev/null >"$work/watched" 2>&1) &
watcher=$!
sleep 8
[ "$(saved)" = "$before" ] || { echo "watch: a page was written without a save" >&2; failed=1; }
cp "$folder/earlier.CDS" "$work/game/saving" && mv "$work/game/saving" "$work/game/SAVEDATA.CDS"
game_report "/h /b $(quoted "$(windows_path "$work")\\before.cds")" >"$work/expected-watched.html"
for wait in $(seq 60); do
  [ "$(saved)" = "$before" ] || break
  sleep 0.5
done
sleep 1
watched=$(saved | grep -vxF "$before" || true)
if [ "$(printf '%s\n' "$watched" | grep -c .)" != 1 ] || ! cmp -s "$profile/$watched" "$work/expected-watched.html" ||
   ! cmp -s "$profile/navigators.html" "$work/expected-watched.html"; then
  echo "watch: after a save, these new pages, not one compared with the save before: $watched" >&2
  failed=1
fi
sleep 6
[ "$(saved | grep -vxF "$before" || true)" = "$watched" ] || { echo "watch: a page was written without a save" >&2; failed=1; }
grep -q "$watched" "$work/watched" || { echo "watch: the window did not say $watched was written" >&2; failed=1; }
pkill -TERM -P "$watcher" 2>/dev/null || true
wait "$watcher" 2>/dev/null || true
for name in $watched navigators.html navigators-save.cds; do rm -f "$profile/$name"; done

# The console's last lines, started from cmd in the current folder with OPTIONS, are LINES.
#   ends_with WHAT LINES OPTIONS
ends_with() {
  shown=$(until_shown from_cmd "$3" | tail -n "$(printf '%s\n' "$2" | wc -l)")
  if [ "$shown" != "$2" ]; then
    printf '%s\n' "$1: the console ends with" "$shown" >&2
    failed=1
  fi
}
# Started elsewhere than in its own folder, which holds both files, among files named almost so.
mkdir "$work/elsewhere"
: >"$work/elsewhere/townlist.txt.txt"
: >"$work/elsewhere/SAVEDATA.CDS.bak"
cd "$work/elsewhere"
shipped_program=$windows_program
windows_program="$(windows_path "$work/game")\\Tidewrit.exe"
ends_with "started elsewhere" "探したフォルダ：$(windows_path .)
townlist.txt が見つからないよ
「townlist.txt.txt」の名前を townlist.txt に変えると読めるよ（エクスプローラーで拡張子が見えないときは、名前を townlist だけにすると townlist.txt になるよ）
SAVEDATA.CDS が見つからないよ
「SAVEDATA.CDS.bak」の名前を SAVEDATA.CDS に変えると読めるよ
このプログラムのフォルダ：$(windows_path "$work/game")
townlist.txt と SAVEDATA.CDS はそこにあるよ。そのフォルダで実行してね
（コマンドプロンプトなら cd /d でそのフォルダに移ってから。ショートカットなら、プロパティの「作業フォルダー」をそのフォルダにしてね）" ""
windows_program=$shipped_program
ends_with "a typo" "「/9」が分からないよ" "/9"
# A path longer than 40 bytes is quoted by its end, where the file's name is.
dropped="$(windows_path "$work/game")\\SAVEDATA.CDS"
[ "$(printf '%s' "$dropped" | wc -c)" -le 40 ] || dropped="…$(printf '%s' "$dropped" | tail -c 40)"
ends_with "a save dropped onto the program" "「$dropped」が分からないよ
ファイルの名前は受け取らないよ。SAVEDATA.CDS のあるゲームのフォルダに Tidewrit.exe と townlist.txt を置いて、そこで実行してね" \
  "$(quoted "$(windows_path "$work/game")\\SAVEDATA.CDS")"
# Where the system's code page is not Japanese, the runtime gives ／ｓ as /s; a Japanese
# system, under a Japanese locale, keeps it as typed.
mkdir "$work/locale"
localedef -i ja_JP -f UTF-8 "$work/locale/ja_JP.UTF-8" ||
  { echo "the Japanese locale could not be made (is Debian's locales package there?)" >&2; failed=1; }
LOCPATH=$work/locale LC_ALL=ja_JP.UTF-8
export LOCPATH
ends_with "a full-width option on a Japanese system" "「／ｓ」が分からないよ
全角の文字では分からないよ。IME をオフにして、半角で /s のように書いてね" "／ｓ"
unset LOCPATH
LC_ALL=C.UTF-8
cd "$work/game"
ends_with "joined letters" "「/pt」は /p として読んだよ。/ や - のあとは1文字だけが効くから、/p /t のように分けて書いてね" "/pt"
head -c 100 "$folder/SAVEDATA.CDS" >SAVEDATA.CDS
ends_with "a save too short" "SAVEDATA.CDS は 100 バイトしかないよ（66970 バイトはいるよ）。大航海時代３のセーブファイルではないか、コピーが途中で切れているのかも
ゲームでもう一度セーブするか、SAVEDATA.CDS をもう一度コピーしてね" ""
exit $failed
