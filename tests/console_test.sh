#!/bin/sh
# Tidewrit.exe on a console whose code page is not Japanese shows every report as the same
# text that it writes, as Shift-JIS bytes, into a file.
#   console_test.sh FOLDER EMULATOR... PROGRAM
# Under Wine a pseudo-terminal is a console, and with a UTF-8 locale Wine shows what the
# program gave WriteConsoleW as UTF-8, among terminal escape sequences and CRs, which are
# taken out here (Wine also leaves out the blanks that end a line, and so does this test).
# The skill list cuts a name to 17 bytes even inside a double-byte character; Windows shows
# such a lead byte and the byte after it as one "・", and so does the expected text here.
set -eu
folder=$1
shift
export LANG=C.UTF-8 LC_ALL=C.UTF-8
cd "$folder"
command=$(printf '%s ' "$@")

# Code page 932 bytes with every broken pair (a lead byte and a byte that is no second byte)
# made one "・" (81 45), as Windows converts them.
mended() {
  LC_ALL=C awk 'BEGIN { for (i = 0; i < 256; ++i) code[sprintf("%c", i)] = i }
    function lead(c) { return (c >= 129 && c <= 159) || (c >= 224 && c <= 252) }
    function trail(c) { return (c >= 64 && c <= 126) || (c >= 128 && c <= 252) }
    { out = ""; n = length($0)
      for (i = 1; i <= n; ++i) {
        c = code[substr($0, i, 1)]
        if (lead(c) && i < n) {
          if (trail(code[substr($0, i + 1, 1)])) out = out substr($0, i, 2); else out = out "\201E"
          ++i
        } else out = out substr($0, i, 1)
      }
      print out }'
}

plain() { sed -e 's/\x1b\[[0-9;?]*[A-Za-z]//g' -e 's/\x1b\][^\x07]*\x07//g' -e 's/\r//g' -e 's/ *$//'; }

failed=0
file=$(mktemp)
trap 'rm -f "$file"' EXIT
for options in "" "/s" "/p /t" "/c /n"; do
  "$@" $options >"$file" </dev/null
  expected=$(mended <"$file" | iconv -f CP932 -t UTF-8 | plain)
  # A wide terminal, so that Wine does not fold the CSV's long lines.
  shown=$(script -qec "stty cols 1000; $command $options" /dev/null </dev/null | plain)
  if [ "$shown" != "$expected" ]; then
    echo "console shows a different report for options '$options':" >&2
    printf '%s\n' "$shown" | head -5 >&2
    failed=1
  fi
done
exit $failed
