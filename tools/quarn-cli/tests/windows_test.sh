#!/bin/sh
# quarn-cli.exe under Wine with paths that are not ASCII: arguments must
# reach the commands as UTF-8 whatever the ANSI code page is.
#   windows_test.sh WINE_RUN QUARN_CLI_EXE EXAMPLES_DIR
set -u
wine_run=$1
cli=$2
examples=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

folder="$work/Zürich Ω"
mkdir -p "$folder"
cp "$examples/small-office.quarn" "$folder/büro.quarn"

# Z: is the whole Unix file system under Wine.
"$wine_run" null "$cli" format "Z:$folder/büro.quarn" "Z:$folder/neu.quarn" >"$work/log"
status=$?
[ "$status" -eq 0 ] || { echo "FAIL: format exited $status: $(cat "$work/log")" >&2; failures=$((failures + 1)); }
cmp -s "$folder/büro.quarn" "$folder/neu.quarn" || { echo "FAIL: the formatted map differs" >&2; failures=$((failures + 1)); }

"$wine_run" null "$cli" check "Z:$folder/fehlt.quarn" >"$work/log"
status=$?
[ "$status" -eq 2 ] || { echo "FAIL: check of a missing file exited $status" >&2; failures=$((failures + 1)); }
grep -q "Could not open Z:$folder/fehlt.quarn: " "$work/log" ||
  { echo "FAIL: missing-file message was: $(cat "$work/log")" >&2; failures=$((failures + 1)); }

[ "$failures" -eq 0 ] && echo "1 passed, 0 failed" || echo "0 passed, $failures failed"
[ "$failures" -eq 0 ]
