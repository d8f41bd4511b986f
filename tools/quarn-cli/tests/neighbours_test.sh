#!/bin/sh
# End-to-end test of `quarn-cli neighbours`: the lines and the JSON of what a
# switch's file lists, and the exit codes.
#   neighbours_test.sh QUARN_CLI EXAMPLES_DIR
set -u
. "$(dirname "$0")/lib.sh"
data="$(dirname "$0")/../../../quarn-core/import/tests/data"

# A configuration and two neighbour outputs under their prompts: the entries of both.
expect_output 0 "Te1/0/1 → acc-a1.campus.example.org Te1/1/1
Te1/0/2 → acc-a1.campus.example.org Te1/1/2
Te1/0/3 → acc-a2.campus.example.org Te1/1/1
Te1/0/4 → acc-a2.campus.example.org Te1/1/2
Te1/0/5 → edge-b1 25
Gi1/0/1 → fw-1 port1
TenGigabitEthernet1/0/1 → acc-a1.campus.example.org TenGigabitEthernet1/1/1
TenGigabitEthernet1/0/2 → acc-a1.campus.example.org TenGigabitEthernet1/1/2
TenGigabitEthernet1/0/3 → acc-a2.campus.example.org TenGigabitEthernet1/1/1
TenGigabitEthernet1/0/4 → acc-a2.campus.example.org TenGigabitEthernet1/1/2" "" -- neighbours "$data/campus/core-1.txt"

expect_output 0 '[
  {
    "local_port": "sfp-sfpplus1",
    "remote_system": "crs-core",
    "remote_port": "sfp-sfpplus2",
    "capabilities": [
      "bridge",
      "router"
    ]
  },
  {
    "local_port": "ether5",
    "remote_system": "ap lobby",
    "remote_port": "ether1",
    "capabilities": [
      "wlan-access-point"
    ]
  }
]' "" -- neighbours "$data/neighbours/routeros-neighbor-detail.txt" --format json

# A file without neighbours: exit 1, with an empty list for JSON.
printf 'hostname sw\ninterface Gi1/0/1\n' >"$work/config.txt"
expect_output 1 "" "$work/config.txt holds no LLDP or CDP neighbours that Quarn reads." -- neighbours "$work/config.txt"
expect_output 1 "[]" "$work/config.txt holds no LLDP or CDP neighbours that Quarn reads." -- \
  neighbours "$work/config.txt" --format json
head -c 4096 /dev/urandom >"$work/garbage.bin"
run 1 neighbours "$work/garbage.bin"

# Files that cannot be read, and wrong usage.
expect 2 "Could not open $work/missing.txt: No such file or directory" -- neighbours "$work/missing.txt"
usage="Usage: quarn-cli neighbours FILE [--format text|json]"
expect 2 "$usage" -- neighbours
expect 2 "$usage" -- neighbours "$work/config.txt" "$work/config.txt"
expect 2 "$usage" -- neighbours "$work/config.txt" --format xml

finish
