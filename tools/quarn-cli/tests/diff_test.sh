#!/bin/sh
# End-to-end test of `quarn-cli diff` and `quarn-cli ports`: change lines,
# JSON, port lines, exit codes and load messages.
#   diff_test.sh QUARN_CLI EXAMPLES_DIR
set -u
. "$(dirname "$0")/lib.sh"

port() { # label untagged tagged
  printf '{"label":"%s","untagged":%s,"tagged":[%s],"description":"","disabled":false,"link":null}' "$@"
}

switch() { # name ports-json (two RJ45 places)
  printf '{"name":"%s","location":"","model":"","groups":[{"kind":"Rj45","columns":2,"rows":1,' "$1"
  printf '"numbering":"Rows","block":0,"gap_after":0.0}],"ports":[%s],"lags":[]}' "$2"
}

map() { # vlans-json switches-json
  printf '{"format":1,"site":"","notes":"","vlans":[%s],"switches":[%s]}' "$1" "$2"
}

office='{"id":10,"name":"Office","color":"#000000"}'
phones='{"id":20,"name":"Phones","color":"#00ff00"}'
map "$office" "$(switch A "$(port 1 10 ""),$(port 2 null "")")" >"$work/a.quarn"
map "$office,$phones" "$(switch A "$(port 1 20 30,31,32),$(port 2 null "")")" >"$work/b.quarn"
map '{"id":10,"name":"Staff","color":"#000000"}' "$(switch A "$(port 1 10 ""),$(port 2 null "")")" \
  >"$work/c.quarn"

# A map against itself, also in another layout: no change, exit 0.
for example in "$examples"/*.quarn; do
  expect_output 0 "" "" -- diff "$example" "$example"
done
expect 0 "" -- format "$work/a.quarn" "$work/a-laid-out.quarn"
expect_output 0 "" "" -- diff "$work/a.quarn" "$work/a-laid-out.quarn"
expect_output 0 "[]" "" -- diff "$work/a.quarn" "$work/a-laid-out.quarn" --format json

# Changes: one line a place, exit 1.
expect_output 1 'VLAN 20 added: name "Phones", colour #00ff00
A port 1: untagged 10 → 20, tagged +30-32' "" -- diff "$work/a.quarn" "$work/b.quarn"
expect_output 1 'VLAN 20 removed: name "Phones", colour #00ff00
A port 1: untagged 20 → 10, tagged −30-32' "" -- diff "$work/b.quarn" "$work/a.quarn"
expect_output 1 '[
  {
    "change": "changed",
    "place": {
      "kind": "vlan",
      "vlan": 10
    },
    "fields": [
      {
        "field": "name",
        "old": "Office",
        "new": "Staff"
      }
    ],
    "text": "VLAN 10: name \"Office\" → \"Staff\""
  }
]' "" -- diff --format json "$work/a.quarn" "$work/c.quarn"
expect_output 1 'VLAN 10: name "Office" → "Staff"' "" -- diff "$work/a.quarn" "$work/c.quarn" --format text

# A map that cannot be loaded: its message on standard error, nothing else.
printf '{"format": 2}' >"$work/newer.quarn"
expect_output 2 "" "$work/newer.quarn: This map uses file format 2. Update Quarn to open it." -- \
  diff "$work/newer.quarn" "$work/a.quarn"
map "$office,$office" "" >"$work/damaged.quarn"
expect_output 2 "" "$work/damaged.quarn: This map is damaged: VLAN 10 appears twice" -- \
  diff "$work/a.quarn" "$work/damaged.quarn"
expect_output 2 "" "Could not open $work/missing.quarn: No such file or directory" -- \
  diff "$work/a.quarn" "$work/missing.quarn"

# Wrong usage.
usage="Usage: quarn-cli diff OLD NEW [--format text|json]"
expect_output 2 "" "$usage" -- diff "$work/a.quarn"
expect_output 2 "" "$usage" -- diff "$work/a.quarn" "$work/b.quarn" "$work/c.quarn"
expect_output 2 "" "$usage" -- diff "$work/a.quarn" "$work/b.quarn" --format xml
expect_output 2 "" "$usage" -- diff "$work/a.quarn" "$work/b.quarn" --format

# Port lines.
expect_output 0 'A port 1: untagged 20, tagged 30-32
A port 2: untagged none, tagged none' "" -- ports "$work/b.quarn"
for example in "$examples"/*.quarn; do
  expect 0 "" -- ports "$example"
  lines=$(wc -l <"$work/out")
  labels=$(grep -c '"label":' "$example")
  [ "$lines" -eq "$labels" ] || fail "ports $example: $lines lines for $labels ports"
done
expect_output 2 "" "This map uses file format 2. Update Quarn to open it." -- ports "$work/newer.quarn"
expect_output 2 "" "Usage: quarn-cli ports MAP" -- ports
expect_output 2 "" "Usage: quarn-cli ports MAP" -- ports "$work/a.quarn" "$work/b.quarn"

finish
