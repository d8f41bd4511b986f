#!/bin/sh
# End-to-end test of `quarn-cli format`: exit codes, messages and bytes.
#   format_test.sh QUARN_CLI EXAMPLES_DIR
set -u
. "$(dirname "$0")/lib.sh"

# A saved example is already in the saved layout: formatting changes nothing.
for map in "$examples"/*.quarn; do
  expect 0 "" -- format "$map" "$work/formatted.quarn"
  cmp -s "$map" "$work/formatted.quarn" || fail "format $map changed the bytes"
  expect 0 "" -- format "$map" -
  cmp -s "$map" "$work/out" || fail "format $map - wrote other bytes"
done

# A compact map is laid out and written in place of an older file.
printf '{"format":0,"site":"x","notes":"","vlans":[],"switches":[]}' >"$work/compact.quarn"
printf 'old' >"$work/target.quarn"
expect 0 "" -- format "$work/compact.quarn" "$work/target.quarn"
printf '{\n  "format": 0,\n  "site": "x",\n  "notes": "",\n  "vlans": [],\n  "switches": []\n}' >"$work/laid-out"
cmp -s "$work/target.quarn" "$work/laid-out" || fail "compact map not laid out"
[ ! -e "$work/target.quarn.quarn-save" ] || fail "temporary file left behind"

# Refusals: one message, exit 2, and the output untouched.
printf '{"format": 3, "switches": 1}' >"$work/newer.quarn"
expect 2 "This map uses file format 3. Update Quarn to open it." -- format "$work/newer.quarn" "$work/target.quarn"
printf '{}' >"$work/empty.quarn"
expect 2 "This is not a readable Quarn file: missing field \`format\` at line 1 column 2" -- \
  format "$work/empty.quarn" "$work/target.quarn"
printf '{"format":1,"site":"","notes":"","vlans":[{"id":4095,"name":"x","color":"#000000"}],"switches":[]}' \
  >"$work/damaged.quarn"
expect 2 "This map is damaged: VLAN ID 4095 is out of range" -- format "$work/damaged.quarn" -
[ ! -s "$work/out" ] || fail "a refused map wrote output"
cmp -s "$work/target.quarn" "$work/laid-out" || fail "a refused map changed the output file"
expect 2 "Could not open $work/missing.quarn: No such file or directory" -- format "$work/missing.quarn" -
expect 2 "Could not open $work: It is a folder, not a file" -- format "$work" -
expect 2 "Could not save $work/no/such/folder.quarn: No such file or directory" -- \
  format "$work/compact.quarn" "$work/no/such/folder.quarn"

# Wrong usage.
expect 2 "Usage: quarn-cli format MAP OUT" -- format "$work/compact.quarn"
expect 2 "Usage: quarn-cli format MAP OUT" -- format a b c

finish
