#!/bin/sh
# The Windows save and read paths under Wine, against hostile files and
# folders: links planted at the temporary name, saves at the same moment,
# linked, read-only and folder targets, a device and a named pipe as input.
#   windows_hostile_test.sh WINE_RUN QUARN_CLI_EXE EXAMPLES_DIR
set -u
wine_run=$1
shift
. "$(dirname "$0")/lib.sh"

# run CODE ARGS...: quarn-cli.exe with its output (Wine joins both streams)
# in $work/log; checks the exit code.
run() {
  code=$1
  shift
  "$wine_run" null "$cli" "$@" >"$work/log" 2>&1
  got=$?
  [ "$got" -eq "$code" ] || fail "$*: exit $got, expected $code: $(cat "$work/log")"
}

# expect CODE TEXT ARGS...: as run, and the output is TEXT and a line break.
expect() {
  code=$1
  text=$2
  shift 2
  run "$code" "$@"
  printf '%s\r\n' "$text" >"$work/want"
  printf '%s\n' "$text" >"$work/want-lf"
  cmp -s "$work/log" "$work/want" || cmp -s "$work/log" "$work/want-lf" ||
    fail "$*: said '$(cat "$work/log")', expected '$text'"
}

# Z: is the whole Unix file system under Wine.
w() { printf 'Z:%s' "$1"; }

small="$examples/small-office.quarn"
run 0 format "$(w "$small")" "$(w "$work/formatted")"

# A link or a second name planted at the temporary name is removed as an
# entry; the file it leads to is neither written nor moved.
for kind in symbolic hard; do
  rm -f "$work/victim.txt" "$work/out.quarn" "$work/out.quarn.quarn-save"
  printf 'secret' >"$work/victim.txt"
  chmod 600 "$work/victim.txt"
  printf 'old' >"$work/out.quarn"
  if [ "$kind" = symbolic ]; then
    ln -s "$work/victim.txt" "$work/out.quarn.quarn-save"
  else
    ln "$work/victim.txt" "$work/out.quarn.quarn-save"
  fi
  run 0 format "$(w "$small")" "$(w "$work/out.quarn")"
  [ -f "$work/victim.txt" ] && [ "$(cat "$work/victim.txt")" = secret ] || fail "$kind link: the victim was written or moved"
  [ ! -L "$work/out.quarn" ] || fail "$kind link: the target became a link"
  cmp -s "$work/out.quarn" "$work/formatted" || fail "$kind link: the target does not hold the map"
  if [ "$kind" = symbolic ]; then
    # Wine shows a Unix link as a plain file and would delete the victim
    # with it, so the save leaves the link alone and uses a name of its own.
    [ "$(readlink "$work/out.quarn.quarn-save")" = "$work/victim.txt" ] || fail "symbolic link: the planted link was changed"
  else
    [ ! -e "$work/out.quarn.quarn-save" ] || fail "hard link: the planted entry is still there"
  fi
  [ "$(ls "$work" | grep -c 'quarn-save.')" -eq 0 ] || fail "$kind link: a temporary file was left: $(ls "$work")"
done

# Two saves to one path at the same moment: each lands whole and says so.
run 0 format "$(w "$examples/campus.quarn")" "$(w "$work/a.quarn")"
run 0 format "$(w "$examples/server-rack.quarn")" "$(w "$work/b.quarn")"
pairs=0
while [ "$pairs" -lt 8 ]; do
  "$wine_run" null "$cli" format "$(w "$work/a.quarn")" "$(w "$work/race.quarn")" >"$work/race-a" 2>&1 &
  first=$!
  "$wine_run" null "$cli" format "$(w "$work/b.quarn")" "$(w "$work/race.quarn")" >"$work/race-b" 2>&1 &
  second=$!
  wait "$first" || fail "a save that ran beside another failed: $(cat "$work/race-a")"
  wait "$second" || fail "a save that ran beside another failed: $(cat "$work/race-b")"
  cmp -s "$work/race.quarn" "$work/a.quarn" || cmp -s "$work/race.quarn" "$work/b.quarn" ||
    fail "after two saves at once the file is neither map"
  pairs=$((pairs + 1))
done
[ ! -e "$work/race.quarn.quarn-save" ] || fail "two saves at once left a temporary file"

# A linked target: the real file is replaced and the link stays a link.
mkdir "$work/real"
printf 'old' >"$work/real/map.quarn"
ln -s "$work/real/map.quarn" "$work/linked.quarn"
run 0 format "$(w "$small")" "$(w "$work/linked.quarn")"
[ -L "$work/linked.quarn" ] || fail "the linked target is no longer a link"
cmp -s "$work/real/map.quarn" "$work/formatted" || fail "the real file of a link was not replaced"

# A read-only target is refused and kept.
printf 'old' >"$work/read-only.quarn"
chmod 444 "$work/read-only.quarn"
run 2 format "$(w "$small")" "$(w "$work/read-only.quarn")"
grep -q "^Could not save $(w "$work/read-only.quarn"): ." "$work/log" || fail "read-only target: $(cat "$work/log")"
[ "$(cat "$work/read-only.quarn")" = old ] || fail "a read-only target was replaced"

# Folders in the way, in words a user understands.
mkdir "$work/folder.quarn" "$work/blocked.quarn.quarn-save"
expect 2 "Could not save $(w "$work/folder.quarn"): It is a folder, not a file" format "$(w "$small")" "$(w "$work/folder.quarn")"
expect 2 "Could not save $(w "$work/new")\\: The name ends in a slash, so it names a folder, not a file" \
  format "$(w "$small")" "$(w "$work/new")\\"
blocked=$(w "$work/blocked.quarn" | tr / '\\')
expect 2 "Could not save $(w "$work/blocked.quarn"): $blocked.quarn-save is a folder in the way of the temporary file" \
  format "$(w "$small")" "$(w "$work/blocked.quarn")"
expect 2 "Could not open $(w "$work"): It is a folder, not a file" check "$(w "$work")"

# A device and a named pipe are refused at once, without reading.
expect 2 "Could not open Z:/dev/zero: It is a device or a pipe, not a file" check Z:/dev/zero
mkfifo "$work/pipe.quarn"
timeout 60 "$wine_run" null "$cli" check "$(w "$work/pipe.quarn")" >"$work/log" 2>&1
status=$?
[ "$status" -eq 2 ] || fail "a named pipe: exit $status: $(cat "$work/log")"

[ "$failures" -eq 0 ] && echo "windows_hostile_test: all passed"
[ "$failures" -eq 0 ]
