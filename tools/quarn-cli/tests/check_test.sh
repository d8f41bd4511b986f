#!/bin/sh
# End-to-end test of `quarn-cli check`: report on standard output, exit codes,
# load messages on standard error.
#   check_test.sh QUARN_CLI EXAMPLES_DIR
set -u
. "$(dirname "$0")/lib.sh"

port() { # label untagged tagged link
  printf '{"label":"%s","untagged":%s,"tagged":[%s],"description":"","disabled":false,"link":%s}' "$@"
}

switch() { # name ports-json (two RJ45 places)
  printf '{"name":"%s","location":"","model":"","groups":[{"kind":"Rj45","columns":2,"rows":1,' "$1"
  printf '"numbering":"Rows","block":0,"gap_after":0.0}],"ports":[%s],"lags":[]}' "$2"
}

map() { # vlans-json switches-json
  printf '{"format":1,"site":"","notes":"","vlans":[%s],"switches":[%s]}' "$1" "$2"
}

# The examples are tidy.
for example in "$examples"/*.quarn; do
  expect_output 0 "No problems found." "" -- check "$example"
done

# Every kind of uplink and port problem, each connection reported once.
a=$(switch A "$(port 1 10 10,99 '{"switch":"B","port":"1"}'),$(port 2 null "" '{"switch":"Z","port":"9"}')")
b=$(switch B "$(port 1 null "" '{"switch":"A","port":"1"}'),$(port 2 null "" null)")
map '{"id":10,"name":"a","color":"#000000"}' "$a,$b" >"$work/problems.quarn"
expect_output 1 "A port 1: VLAN 99 is not in the VLAN list
A port 1: VLAN 10 is both tagged and untagged
A port 1 / B port 1: untagged VLAN differs (10 against none)
A port 1 / B port 1: VLAN 10 is tagged on one side only
A port 1 / B port 1: VLAN 99 is tagged on one side only
A port 2 links to Z port 9, which does not exist
VLAN 10 is only on A" "" -- check "$work/problems.quarn"

# Sixteen problems: fifteen lines and the count of the rest.
c=$(switch C "$(port 1 null 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16 null),$(port 2 null "" null)")
map "" "$c" >"$work/many.quarn"
lines=""
for id in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15; do
  lines="${lines}C port 1: VLAN $id is not in the VLAN list
"
done
expect_output 1 "${lines}... and 1 more" "" -- check "$work/many.quarn"

# A map that cannot be loaded: its message on standard error, nothing else.
printf '{"format": 2}' >"$work/newer.quarn"
expect_output 2 "" "This map uses file format 2. Update Quarn to open it." -- check "$work/newer.quarn"
map '{"id":10,"name":"a","color":"#000000"},{"id":10,"name":"b","color":"#000000"}' "" >"$work/damaged.quarn"
expect_output 2 "" "This map is damaged: VLAN 10 appears twice" -- check "$work/damaged.quarn"
expect_output 2 "" "Could not open $work/missing.quarn: No such file or directory" -- check "$work/missing.quarn"

# Wrong usage.
expect_output 2 "" "Usage: quarn-cli check MAP" -- check
expect_output 2 "" "Usage: quarn-cli check MAP" -- check a b

finish
