#!/bin/sh
# Hostile files and hostile folders, end to end: links planted at the
# temporary name, saves at the same moment, linked, read-only and folder
# targets, inputs without end or without limit, names with escape
# sequences, text after the map, layout numbers out of range and separators
# that would break the table.
#   hostile_test.sh QUARN_CLI EXAMPLES_DIR
set -u
. "$(dirname "$0")/lib.sh"

small="$examples/small-office.quarn"
"$cli" format "$small" "$work/formatted" || fail "the example does not format"

mode_of() { stat -c %a "$1"; }

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
  expect 0 "" -- format "$small" "$work/out.quarn"
  [ "$(cat "$work/victim.txt")" = secret ] || fail "$kind link: the victim was written"
  [ "$(mode_of "$work/victim.txt")" = 600 ] || fail "$kind link: the victim's mode changed"
  [ ! -L "$work/out.quarn" ] || fail "$kind link: the target became a link"
  cmp -s "$work/out.quarn" "$work/formatted" || fail "$kind link: the target does not hold the map"
  [ ! -e "$work/out.quarn.quarn-save" ] && [ ! -L "$work/out.quarn.quarn-save" ] ||
    fail "$kind link: the planted entry is still there"
done

# Two saves to one path at the same moment: each lands whole and says so.
cp "$examples/campus.quarn" "$work/a.quarn"
"$cli" format "$examples/server-rack.quarn" "$work/b.quarn" || fail "the example does not format"
pairs=0
while [ "$pairs" -lt 20 ]; do
  "$cli" format "$work/a.quarn" "$work/race.quarn" 2>"$work/race-a" &
  first=$!
  "$cli" format "$work/b.quarn" "$work/race.quarn" 2>"$work/race-b" &
  second=$!
  wait "$first" || fail "a save that ran beside another failed: $(cat "$work/race-a")"
  wait "$second" || fail "a save that ran beside another failed: $(cat "$work/race-b")"
  cmp -s "$work/race.quarn" "$work/a.quarn" || cmp -s "$work/race.quarn" "$work/b.quarn" ||
    fail "after two saves at once the file is neither map"
  pairs=$((pairs + 1))
done
[ ! -e "$work/race.quarn.quarn-save" ] || fail "two saves at once left a temporary file"

# A linked target: the real file is replaced, the link stays, the mode and
# (for root) the owner are kept; a read-only target is refused.
mkdir "$work/real"
printf 'old' >"$work/real/map.quarn"
chmod 640 "$work/real/map.quarn"
[ "$(id -u)" -eq 0 ] && chown 4321:4322 "$work/real/map.quarn"
ln -s "$work/real/map.quarn" "$work/linked.quarn"
expect 0 "" -- format "$small" "$work/linked.quarn"
[ -L "$work/linked.quarn" ] || fail "the linked target is no longer a link"
cmp -s "$work/real/map.quarn" "$work/formatted" || fail "the real file of a link was not replaced"
[ "$(mode_of "$work/real/map.quarn")" = 640 ] || fail "the replaced file lost its mode"
if [ "$(id -u)" -eq 0 ]; then
  [ "$(stat -c %u:%g "$work/real/map.quarn")" = 4321:4322 ] || fail "the replaced file lost its owner"
fi
printf 'old' >"$work/read-only.quarn"
chmod 444 "$work/read-only.quarn"
expect 2 "Could not save $work/read-only.quarn: Permission denied" -- format "$small" "$work/read-only.quarn"
[ "$(cat "$work/read-only.quarn")" = old ] || fail "a read-only target was replaced"

# Folders in the way, in words a user understands.
mkdir "$work/folder.quarn" "$work/blocked.quarn.quarn-save"
expect 2 "Could not save $work/folder.quarn: It is a folder, not a file" -- format "$small" "$work/folder.quarn"
expect 2 "Could not save $work/new/: The name ends in a slash, so it names a folder, not a file" -- \
  format "$small" "$work/new/"
expect 2 "Could not save $work/blocked.quarn: $work/blocked.quarn.quarn-save is a folder in the way of the temporary file" -- \
  format "$small" "$work/blocked.quarn"
expect 2 "Could not open $work: It is a folder, not a file" -- check "$work"

# Inputs without end or without limit are refused before they are read.
expect 2 "Could not open /dev/zero: It is a device or a pipe, not a file" -- check /dev/zero
mkfifo "$work/pipe.quarn"
timeout 20 "$cli" check "$work/pipe.quarn" >"$work/out" 2>"$work/err"
[ $? -eq 2 ] || fail "a named pipe was not refused at once"
want "$work/want-err" "Could not open $work/pipe.quarn: It is a device or a pipe, not a file"
cmp -s "$work/err" "$work/want-err" || fail "named pipe: $(cat "$work/err")"
truncate -s 257M "$work/huge.quarn"
expect 2 "Could not open $work/huge.quarn: It is larger than 256 MiB, too large for a map" -- check "$work/huge.quarn"
rm -f "$work/huge.quarn"

# Quoted input is cut short and is valid UTF-8.
long_kind=$(head -c 100000 /dev/zero | tr '\0' 'k')
printf '{"format":1,"site":"","notes":"","vlans":[],"switches":[{"name":"s","location":"","model":"","groups":[{"kind":"%s","columns":1,"rows":1,"numbering":"Rows","block":0,"gap_after":0.0}],"ports":[],"lags":[]}]}' \
  "$long_kind" >"$work/long-kind.quarn"
eighty=$(head -c 80 /dev/zero | tr '\0' 'k')
expect 2 "This is not a readable Quarn file: unknown variant \`$eighty…\`, expected one of \`Rj45\`, \`Sfp\`, \`Dual\` at line 1 column 100113" -- \
  check "$work/long-kind.quarn"
digits=$(head -c 5000 /dev/zero | tr '\0' '9')
printf '{"format":1,"site":"","notes":"","vlans":[{"id":%s,"name":"x","color":"#000000"}],"switches":[]}' "$digits" \
  >"$work/long-number.quarn"
nines=$(head -c 80 /dev/zero | tr '\0' '9')
expect 2 "This is not a readable Quarn file: number overflow parsing '$nines…' at line 1 column 5048" -- \
  check "$work/long-number.quarn"
printf '{"format":1,"site":"","notes":"","vlans":[{"id":1,"name":"x","color":"#\377\376"}],"switches":[]}' \
  >"$work/bad-bytes.quarn"
expect 2 "This is not a readable Quarn file: syntax error while parsing value - invalid string: ill-formed UTF-8 byte; last read: '\"#�' at line 1 column 72" -- \
  check "$work/bad-bytes.quarn"

# Names with escape sequences reach no terminal raw.
printf '{"format":1,"site":"","notes":"","vlans":[{"id":10,"name":"v","color":"#000000"}],"switches":[{"name":"\\u001b]0;owned\\u0007\\u001b[2J","location":"","model":"","groups":[{"kind":"Rj45","columns":1,"rows":1,"numbering":"Rows","block":0,"gap_after":0.0}],"ports":[{"label":"1\\nfake","untagged":null,"tagged":[99,98],"description":"","disabled":false,"link":null}],"lags":[]}]}' \
  >"$work/escapes.quarn"
expect_output 1 "<U+001B>]0;owned<U+0007><U+001B>[2J port 1<U+000A>fake: VLAN 99 is not in the VLAN list
<U+001B>]0;owned<U+0007><U+001B>[2J port 1<U+000A>fake: VLAN 98 is not in the VLAN list" "" -- check "$work/escapes.quarn"
printf '{"format":1,"site":"","notes":"","vlans":[],"switches":[{"name":"\\u001b[31m\\u009b1m","location":"","model":"","groups":[],"ports":[{"label":"1","untagged":null,"tagged":[],"description":"","disabled":false,"link":null}],"lags":[]}]}' \
  >"$work/escapes-damaged.quarn"
expect 2 "This map is damaged: <U+001B>[31m<U+009B>1m has 1 ports for 0 places" -- check "$work/escapes-damaged.quarn"

# Nothing but white space may follow the map, a NUL no more than anything.
cp "$small" "$work/tail.quarn"
printf '\000 garbage {{{' >>"$work/tail.quarn"
lines=$(wc -l <"$small")
expect 2 "This is not a readable Quarn file: syntax error while parsing value - unexpected NUL character; expected end of input at line $((lines + 1)) column 2" -- \
  format "$work/tail.quarn" "$work/out.quarn"
cmp -s "$work/out.quarn" "$work/formatted" || fail "a refused map changed the output file"
cp "$small" "$work/trailing.quarn"
printf ' \n\t\r\n' >>"$work/trailing.quarn"
expect 0 "" -- format "$work/trailing.quarn" -

# A number is reported as it is written.
printf '{"format":1,"site":"","notes":"","vlans":[{"id":-0,"name":"x","color":"#000000"}],"switches":[]}' \
  >"$work/minus-zero.quarn"
expect 2 "This is not a readable Quarn file: invalid value: integer \`-0\`, expected u16 at line 1 column 50" -- \
  check "$work/minus-zero.quarn"

# Layout numbers out of range still draw a finite picture of sane size.
group() { printf '{"kind":"Rj45","columns":1,"rows":1,"numbering":"Rows","block":0,"gap_after":%s}' "$1"; }
port() { printf '{"label":"%s","untagged":null,"tagged":[],"description":"","disabled":false,"link":null}' "$1"; }
printf '{"format":1,"site":"","notes":"","vlans":[],"switches":[{"name":"s","location":"","model":"","groups":[%s,%s,%s],"ports":[%s,%s,%s],"lags":[]}]}' \
  "$(group 3e38)" "$(group 1e30)" "$(group -1e6)" "$(port 1)" "$(port 2)" "$(port 3)" >"$work/gaps.quarn"
expect 0 "" -- svg "$work/gaps.quarn" "$work/gaps.svg"
head -n 1 "$work/gaps.svg" | grep -q '^<svg xmlns="http://www.w3.org/2000/svg" width="[1-9][0-9]\{1,5\}" ' ||
  fail "gaps out of range: $(head -n 1 "$work/gaps.svg")"
grep -q '[0-9]\{8\}' "$work/gaps.svg" && fail "gaps out of range give coordinates of eight digits or more"
grep -q '="-' "$work/gaps.svg" && fail "gaps out of range put something left of or above the picture"
rsvg-convert "$work/gaps.svg" -o "$work/gaps.png" 2>"$work/rsvg" || fail "gaps out of range: $(cat "$work/rsvg")"

# Separators that would break the table are refused.
for name in quote apostrophe line-feed carriage-return escape; do
  case $name in
  quote) separator='"' ;;
  apostrophe) separator="'" ;;
  line-feed) separator='
' ;;
  carriage-return) separator=$(printf '\r') ;;
  escape) separator=$(printf '\033') ;;
  esac
  expect 2 "The separator cannot be a quote, an apostrophe, a line break or another control character" -- \
    csv "$small" - --separator "$separator"
done

# A NUL in front of a formula is dropped, and the guard sees the formula.
printf '{"format":1,"site":"","notes":"","vlans":[],"switches":[{"name":"s","location":"","model":"","groups":[%s],"ports":[{"label":"1","untagged":null,"tagged":[],"description":"\\u0000=1+1","disabled":false,"link":null}],"lags":[]}]}' \
  "$(group 0.0)" >"$work/nul-formula.quarn"
expect 0 "" -- csv "$work/nul-formula.quarn" -
printf 's,,1,RJ45,,,"'"'"'=1+1",,,\r\n' >"$work/want-row"
tail -n 1 "$work/out" | cmp -s - "$work/want-row" || fail "NUL before a formula: $(tail -n 1 "$work/out" | od -c | head -3)"

finish
