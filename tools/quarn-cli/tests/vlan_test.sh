#!/bin/sh
# End-to-end test of `quarn-cli vlan`: the port list and the reach, JSON,
# exit codes and messages; and the reach problem in `quarn-cli check`.
#   vlan_test.sh QUARN_CLI EXAMPLES_DIR
set -u
. "$(dirname "$0")/lib.sh"

port() { # label untagged tagged disabled link
  printf '{"label":"%s","untagged":%s,"tagged":[%s],"description":"","disabled":%s,"link":%s}' "$@"
}

switch() { # name port-count ports-json lags-json (one row of RJ45 places)
  printf '{"name":"%s","location":"","model":"","groups":[{"kind":"Rj45","columns":%s,"rows":1,' "$1" "$2"
  printf '"numbering":"Rows","block":0,"gap_after":0.0}],"ports":[%s],"lags":[%s]}' "$3" "$4"
}

map() { # vlans-json switches-json
  printf '{"format":1,"site":"","notes":"","vlans":[%s],"switches":[%s]}' "$1" "$2"
}

link() { printf '{"switch":"%s","port":"%s"}' "$@"; }
lag() { printf '{"name":"%s","members":["3","4"],"peer":{"switch":"%s","lag":"%s"}}' "$@"; }

# A - B carries VLAN 20; B - C (an uplink and a LAG) carries only VLAN 10,
# so C's VLAN 20 port is cut off from A's.
vlans='{"id":10,"name":"Data","color":"#000000"},{"id":20,"name":"Voice","color":"#00ff00"}'
a=$(switch A 4 "$(port 1 20 "" false null),$(port 2 null 20 false "$(link B 1)"),$(port 3 20 "" true null),$(port 4 10 "" false null)" "")
b=$(switch B 4 "$(port 1 null 20 false "$(link A 2)"),$(port 2 null 10 false "$(link C 1)"),$(port 3 null 10 false null),$(port 4 null 10 false null)" "$(lag Trk1 C Po1)")
c=$(switch C 4 "$(port 1 null 10 false "$(link B 2)"),$(port 2 20 "" false null),$(port 3 null 10 false null),$(port 4 null 10 false null)" "$(lag Po1 B Trk1)")
map "$vlans" "$a,$b,$c" >"$work/net.quarn"

expect_output 0 "A
  port 1: untagged
  port 2: tagged, link to B port 1
  port 3: untagged, disabled
B
  port 1: tagged, link to A port 2
C
  port 2: untagged

VLAN 20 is used on 2 switches in 2 groups that no chain of links joins.
VLAN 20: C cannot reach A: no chain of links carries it" "" -- vlan "$work/net.quarn" 20
expect_output 0 "A
  port 4: untagged
B
  port 2: tagged, link to C port 1
  port 3: tagged, LAG Trk1 to C Po1
  port 4: tagged, LAG Trk1 to C Po1
C
  port 1: tagged, link to B port 2
  port 3: tagged, LAG Po1 to B Trk1
  port 4: tagged, LAG Po1 to B Trk1

VLAN 10 is used on A only." "" -- vlan "$work/net.quarn" 10 --format text
expect_output 1 "VLAN 30 is on no port." "" -- vlan "$work/net.quarn" 30
expect_output 1 "VLAN 20: C cannot reach A: no chain of links carries it" "" -- check "$work/net.quarn"

# A VLAN that is not in the list, on a switch whose name holds an escape.
d=$(switch 'D\u001b' 2 "$(port 1 77 "" false null),$(port 2 null "" false null)" "")
map "" "$d" >"$work/unlisted.quarn"
expect_output 0 "D<U+001B>
  port 1: untagged

VLAN 77 is not in the VLAN list.
VLAN 77 is used on D<U+001B> only." "" -- vlan "$work/unlisted.quarn" 77
expect_output 0 '{
  "vlan": 77,
  "name": null,
  "switches": [
    {
      "switch": "D\u001b",
      "ports": [
        {
          "port": "1",
          "untagged": true,
          "tagged": false,
          "disabled": false,
          "link": null,
          "lag": null
        }
      ]
    }
  ],
  "reach": {
    "groups": [
      {
        "switches": [
          "D\u001b"
        ],
        "part": "D\u001b",
        "cut_off_from": null
      }
    ],
    "text": [
      "VLAN 77 is not in the VLAN list.",
      "VLAN 77 is used on D\u001b only."
    ]
  }
}' "" -- vlan --format json "$work/unlisted.quarn" 77
expect_output 1 '{
  "vlan": 78,
  "name": null,
  "switches": [],
  "reach": {
    "groups": [],
    "text": [
      "VLAN 78 is on no port."
    ]
  }
}' "" -- vlan "$work/unlisted.quarn" 78 --format json

# The campus: every VLAN reaches every switch that uses it.
run 0 vlan "$examples/campus.quarn" 30
last=$(tail -n 1 "$work/out")
[ "$last" = "VLAN 30 reaches all 5 switches that use it: core-1, acc-a1, acc-a2, acc-b1, acc-lab." ] ||
  fail "campus VLAN 30: last line was '$last'"

# IDs that are no VLAN IDs, and maps that cannot be loaded.
for id in 0 4095 65556 abc 12a 1.5 ""; do
  expect_output 2 "" "$id is not a VLAN ID (1 to 4094)." -- vlan "$work/net.quarn" "$id"
done
expect_output 2 "" "<U+001B>[2J is not a VLAN ID (1 to 4094)." -- vlan "$work/net.quarn" "$(printf '\033[2J')"
printf '{"format": 2}' >"$work/newer.quarn"
expect_output 2 "" "This map uses file format 2. Update Quarn to open it." -- vlan "$work/newer.quarn" 10
expect_output 2 "" "Could not open $work/missing.quarn: No such file or directory" -- vlan "$work/missing.quarn" 10

# Wrong usage.
usage="Usage: quarn-cli vlan MAP ID [--format json]"
expect_output 2 "" "$usage" -- vlan "$work/net.quarn"
expect_output 2 "" "$usage" -- vlan "$work/net.quarn" 10 20
expect_output 2 "" "$usage" -- vlan "$work/net.quarn" 10 --format xml
expect_output 2 "" "$usage" -- vlan "$work/net.quarn" 10 --format
expect_output 2 "" "$usage" -- vlan "$work/net.quarn" -5

finish
