#!/bin/sh
# End-to-end test of `quarn-cli import`: a new map from a configuration, an
# update of a switch in an example map, the report on standard error, the
# exit codes and what happens to text that is no configuration.
#   import_test.sh QUARN_CLI EXAMPLES_DIR
set -u
. "$(dirname "$0")/lib.sh"

# csv_of MAP: the port table with commas and LF line ends, without the header.
csv_of() {
  "$cli" csv "$1" - --separator , | tr -d '\r' | tail -n +2
}

cat >"$work/acc-1.cfg" <<'CONFIG'
hostname acc-1
vlan 10
 name Data
vlan 20
 name Voice
interface Port-channel1
 switchport mode trunk
 switchport trunk allowed vlan 10,20
interface GigabitEthernet1/0/1
 description Desk 1
 switchport access vlan 10
 switchport voice vlan 20
interface GigabitEthernet1/0/2
 shutdown
 frobnicate
interface TenGigabitEthernet1/1/1
 channel-group 1 mode active
interface TenGigabitEthernet1/1/2
 channel-group 1 mode active
CONFIG

# A new map with the one switch, labels in their short form.
expect 0 "Imported 4 ports and 3 VLANs as acc-1
Line 15 not understood: frobnicate" -- import "$work/acc-1.cfg" "$work/new.quarn"
csv_of "$work/new.quarn" >"$work/got"
want "$work/want" "acc-1,,Gi1/0/1,RJ45,10,20,Desk 1,,,
acc-1,,Gi1/0/2,RJ45,1,,,Yes,,
acc-1,,Te1/1/1,SFP,,10 20,,,Po1,
acc-1,,Te1/1/2,SFP,,10 20,,,Po1,"
cmp -s "$work/got" "$work/want" || fail "import new map: csv was '$(cat "$work/got")'"
"$cli" check "$work/new.quarn" >/dev/null || fail "the imported map does not pass check"

# OUT "-" writes the same bytes to standard output.
run 0 import "$work/acc-1.cfg" -
cmp -s "$work/out" "$work/new.quarn" || fail "import to - wrote other bytes than to a file"

# Without a host name the switch is named after the file; CRLF text reads the same.
printf 'interface GigabitEthernet1/0/1\r\n switchport access vlan 10\r\n' >"$work/floor3.cfg"
expect 0 "Imported 1 ports and 0 VLANs as floor3" -- import "$work/floor3.cfg" "$work/floor3.quarn"

# The first ten lines not understood, then their count.
{ echo "interface GigabitEthernet1/0/1"; for i in 1 2 3 4 5 6 7 8 9 10 11 12; do echo " frob $i"; done; } >"$work/frob.cfg"
expect 0 "Imported 1 ports and 1 VLANs as frob
Line 2 not understood: frob 1
Line 3 not understood: frob 2
Line 4 not understood: frob 3
Line 5 not understood: frob 4
Line 6 not understood: frob 5
Line 7 not understood: frob 6
Line 8 not understood: frob 7
Line 9 not understood: frob 8
Line 10 not understood: frob 9
Line 11 not understood: frob 10
... and 2 more lines not understood" -- import "$work/frob.cfg" - --dialect ios

# An update of a switch of an example map: matched ports take the
# configuration's VLANs, the others and the rest of the map stay.
cat >"$work/office.cfg" <<'CONFIG'
hostname "office-sw1"
vlan 10
   name "Office"
   untagged 1
   tagged 3
   exit
vlan 30
   name "Cameras"
   untagged 3,99
   exit
CONFIG
csv_of "$examples/small-office.quarn" >"$work/before"
expect 0 "Imported 2 ports and 2 VLANs as office-sw1
Not on office-sw1: 99" -- import "$work/office.cfg" "$work/updated.quarn" --into "$examples/small-office.quarn"
csv_of "$work/updated.quarn" >"$work/after"
grep '^office-sw1,[^,]*,[13],' "$work/after" >"$work/got"
want "$work/want" "office-sw1,Hallway cabinet,1,RJ45,10,,,,,
office-sw1,Hallway cabinet,3,RJ45,30,10,,,,"
cmp -s "$work/got" "$work/want" || fail "import --into: ports were '$(cat "$work/got")'"
grep -v '^office-sw1,[^,]*,[13],' "$work/before" >"$work/rest-before"
grep -v '^office-sw1,[^,]*,[13],' "$work/after" >"$work/rest-after"
cmp -s "$work/rest-before" "$work/rest-after" || fail "import --into changed other ports"

# --switch names the switch to update, or the new switch to add.
expect 0 "Imported 1 ports and 0 VLANs as spare" -- import "$work/floor3.cfg" "$work/added.quarn" \
  --into "$examples/small-office.quarn" --switch spare
[ "$(csv_of "$work/added.quarn" | grep -c '^spare,')" -eq 1 ] || fail "import --switch spare did not add one port"

# --dialect overrides detection; a dialect that reads nothing exits 1.
expect 1 "$work/acc-1.cfg holds no ports or VLANs when read as Junos." -- \
  import "$work/acc-1.cfg" "$work/none.quarn" --dialect junos
[ ! -e "$work/none.quarn" ] || fail "import wrote a map for text it could not read"
expect 0 "Imported 1 ports and 0 VLANs as floor3" -- import "$work/floor3.cfg" - --dialect IOS
expect 2 "Unknown dialect cisco. Use one of: ios, nxos, aruba, comware, junos, fastiron, vrp, routeros, exos." -- \
  import "$work/acc-1.cfg" - --dialect cisco

# Binary garbage is no configuration.
head -c 4096 /dev/urandom | tr -d '\n' >"$work/garbage.bin"
expect 1 "$work/garbage.bin holds no switch configuration that Quarn reads (Cisco IOS or NX-OS, ArubaOS-Switch, Comware, Junos, Ruckus FastIron, Huawei VRP, MikroTik RouterOS, Extreme EXOS)." -- \
  import "$work/garbage.bin" "$work/garbage.quarn"
[ ! -e "$work/garbage.quarn" ] || fail "import wrote a map for garbage"

# Files that cannot be read or written.
expect 2 "Could not open $work/missing.cfg: No such file or directory" -- import "$work/missing.cfg" -
expect 2 "Could not open $work/missing.quarn: No such file or directory" -- \
  import "$work/acc-1.cfg" - --into "$work/missing.quarn"
run 2 import "$work/acc-1.cfg" "$work/no/such/folder/x.quarn"
tail -n 1 "$work/err" | grep -q "^Could not save $work/no/such/folder/x.quarn: " || fail "unwritable OUT: '$(cat "$work/err")'"

# Wrong usage.
usage="Usage: quarn-cli import CONFIG OUT [--into MAP] [--switch NAME] [--dialect NAME]"
expect 2 "$usage" -- import
expect 2 "$usage" -- import "$work/acc-1.cfg"
expect 2 "$usage" -- import "$work/acc-1.cfg" - --into
expect 2 "$usage" -- import "$work/acc-1.cfg" - --frobnicate

finish
