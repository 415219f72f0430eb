#!/bin/sh
# Tidewrit-csv.bat under Wine, as a player uses it: copied with Tidewrit.exe into the game
# folder and started there twice, it saves the CSV twice in the user's own folder, each time
# in a new file, and leaves the first one as it was. Where the program fails (no town list),
# it leaves no file behind.
#   csv_batch_test.sh BATCH FOLDER EMULATOR... PROGRAM
set -eu
batch=$1
example=$2
shift 2
emulator=
count=0
for word in "$@"; do
  count=$((count + 1))
  [ "$count" -lt $# ] && emulator="$emulator '$word'"
  program=$word
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/game" "$work/empty"
cp "$example/SAVEDATA.CDS" "$example/townlist.txt" "$work/game/"
for folder in game empty; do
  cp "$program" "$work/$folder/Tidewrit.exe"
  cp "$batch" "$work/$folder/Tidewrit-csv.bat"
done
cd "$work/game"
"$@" /c >"$work/expected.csv" </dev/null

# The user's own folder, where the files go, and the CSVs already there from earlier runs.
profile=$(eval "$emulator cmd /c 'echo %USERPROFILE%'" </dev/null | tr -d '\r')
profile=$(eval "$emulator winepath -u '$profile'" </dev/null)
csvs() { ls "$profile" | grep '^navigators-[0-9]*\.csv$' | sort; }
before=$(csvs)

# Started as Explorer starts it, by its Windows path; its final pause ends at the end of input.
run_batch() {
  eval "$emulator cmd /c 'Z:$(printf '%s' "$1/Tidewrit-csv.bat" | tr / '\\')'" </dev/null >"$work/shown" 2>&1 || true
}
failed=0
run_batch "$work/game"
first=$(csvs | grep -vxF "$before" || true)
cp "$profile/$first" "$work/first.csv" 2>/dev/null || true
run_batch "$work/game"
new=$(csvs | grep -vxF "$before" || true)
second=$(printf '%s\n' "$new" | grep -vxF "$first" || true)
if [ "$(printf '%s\n' "$new" | grep -c .)" != 2 ]; then
  echo "two runs made these new files: $new" >&2
  failed=1
else
  for name in $first $second; do
    cmp -s "$profile/$name" "$work/expected.csv" || { echo "$name is not the CSV" >&2; failed=1; }
  done
  cmp -s "$profile/$first" "$work/first.csv" || { echo "the second run changed $first" >&2; failed=1; }
  grep -q "users.*$second" "$work/shown" || { echo "the second run did not say where $second is" >&2; failed=1; }
fi

run_batch "$work/empty"
if [ "$(csvs | grep -vxF "$before" | grep -c .)" != 2 ]; then
  echo "a failed run left a file behind" >&2
  failed=1
fi
for name in $new; do rm -f "$profile/$name"; done
exit $failed
