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

# A new map with the one switch, labels in their short form. Without the
# lines only Cisco IOS writes, the text might be a Cisco Small Business one.
expect 0 "Read as Cisco IOS (assumed)
Imported 4 ports and 3 VLANs as acc-1
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
expect 0 "Read as Cisco IOS (assumed)
Imported 1 ports and 0 VLANs as floor3" -- import "$work/floor3.cfg" "$work/floor3.quarn"

# Cisco Small Business lines are never read as Cisco IOS: a general port
# sends its PVID untagged and the VLANs added tagged.
printf 'interface GigabitEthernet1/0/1\n switchport mode general\n switchport general pvid 10\n switchport general allowed vlan add 10 untagged\n switchport general allowed vlan add 20 tagged\n' >"$work/cbs.cfg"
expect 0 "Read as Cisco Small Business (assumed)
Imported 1 ports and 0 VLANs as cbs" -- import "$work/cbs.cfg" "$work/cbs.quarn"
[ "$(csv_of "$work/cbs.quarn")" = "cbs,,Gi1/0/1,RJ45,10,20,,,," ] || fail "general port: csv was '$(csv_of "$work/cbs.quarn")'"

# A Dell OS10 trunk sends its access VLAN untagged.
printf '! Version 10.5.2.4\nhostname leaf\ninterface ethernet1/1/1\n switchport mode trunk\n switchport access vlan 10\n switchport trunk allowed vlan 20\n' >"$work/leaf.cfg"
expect 0 "Imported 1 ports and 0 VLANs as leaf" -- import "$work/leaf.cfg" "$work/leaf.quarn" --dialect OS10
[ "$(csv_of "$work/leaf.quarn")" = "leaf,,ethernet1/1/1,RJ45,10,20,,,," ] || fail "OS10 trunk: csv was '$(csv_of "$work/leaf.quarn")'"

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
expect 0 "Read as Cisco IOS (assumed)
Imported 1 ports and 0 VLANs as spare" -- import "$work/floor3.cfg" "$work/added.quarn" \
  --into "$examples/small-office.quarn" --switch spare
[ "$(csv_of "$work/added.quarn" | grep -c '^spare,')" -eq 1 ] || fail "import --switch spare did not add one port"

# --dialect overrides detection; a dialect that reads nothing exits 1.
expect 1 "$work/acc-1.cfg holds no ports or VLANs when read as Junos." -- \
  import "$work/acc-1.cfg" "$work/none.quarn" --dialect junos
[ ! -e "$work/none.quarn" ] || fail "import wrote a map for text it could not read"
expect 0 "Imported 1 ports and 0 VLANs as floor3" -- import "$work/floor3.cfg" - --dialect IOS
expect 2 "Unknown dialect cisco. Use one of: ios, nxos, aruba, comware, junos, aoscx, os10, os6, ciscosb, awplus, edgeswitch, fastiron, vrp, routeros, exos." -- \
  import "$work/acc-1.cfg" - --dialect cisco

# Binary garbage is no configuration.
head -c 4096 /dev/urandom | tr -d '\n' >"$work/garbage.bin"
expect 1 "$work/garbage.bin holds no switch configuration that Quarn reads (Cisco IOS, Cisco NX-OS, ArubaOS-Switch, Comware, Junos, AOS-CX, Dell OS10, Dell OS6, Cisco Small Business, AlliedWare Plus, EdgeSwitch, Ruckus FastIron, Huawei VRP, MikroTik RouterOS, Extreme EXOS)." -- \
  import "$work/garbage.bin" "$work/garbage.quarn"
[ ! -e "$work/garbage.quarn" ] || fail "import wrote a map for garbage"

# A campus: five files, one a switch, in any order; the links come from the
# neighbours each file lists.
campus="$(dirname "$0")/../../../quarn-core/import/tests/data/campus"
expect 0 "$campus/annex-1.txt: Imported 10 ports and 4 VLANs as annex-1
$campus/annex-1.txt: Read 2 neighbours of annex-1
$campus/acc-a2.txt: Imported 10 ports and 4 VLANs as acc-a2
$campus/acc-a2.txt: Read 4 neighbours of acc-a2
$campus/edge-b1.txt: Imported 28 ports and 4 VLANs as edge-b1
$campus/edge-b1.txt: Read 4 neighbours of edge-b1
$campus/core-1.txt: Imported 8 ports and 4 VLANs as core-1
$campus/core-1.txt: Read 10 neighbours of core-1
$campus/acc-a1.txt: Imported 10 ports and 3 VLANs as acc-a1
$campus/acc-a1.txt: Read 4 neighbours of acc-a1
Linked acc-a2 Gi1/0/8 ↔ acc-a1 Gi1/0/8
Linked edge-b1 25 ↔ core-1 Te1/0/5
Linked LAG annex-1 Trk1 ↔ edge-b1 Trk1
Linked LAG acc-a2 Po1 ↔ core-1 Po2
Linked LAG core-1 Po1 ↔ acc-a1 Po1
Outside the map: acc-a2 Gi1/0/3 → prn-2nd-floor Ethernet
Outside the map: edge-b1 3 → ap-lobby eth0
Outside the map: core-1 Gi1/0/1 → fw-1 port1
Outside the map: acc-a1 Gi1/0/7 → SEP00AABB112207 Port 1
Campus: 5 switches (5 added, 0 updated), 66 ports, 4 VLANs, 5 links made (0 already in the map), 0 disagreements, 0 contradicted links, 4 neighbours outside the map" -- \
  import "$campus/annex-1.txt" "$campus/acc-a2.txt" "$campus/edge-b1.txt" "$campus/core-1.txt" "$campus/acc-a1.txt" \
  "$work/campus.quarn"
"$cli" check "$work/campus.quarn" >/dev/null || fail "the campus map does not pass check"
"$cli" ports "$work/campus.quarn" | grep ' link ' >"$work/got"
want "$work/want" 'core-1 port Te1/0/5: untagged none, tagged 10,20,99, description "edge-b1", link edge-b1 port 25
acc-a1 port Gi1/0/8: untagged 99, tagged 10,20, description "cross link acc-a2", link acc-a2 port Gi1/0/8
acc-a2 port Gi1/0/8: untagged 99, tagged 10,20, description "cross link acc-a1", link acc-a1 port Gi1/0/8
edge-b1 port 25: untagged none, tagged 10,20,99, description "core-1 Te1/0/5", link core-1 port Te1/0/5'
cmp -s "$work/got" "$work/want" || fail "campus links: '$(cat "$work/got")'"

# Imported again into its own map, the campus changes nothing.
run 0 import "$campus/acc-a1.txt" "$campus/acc-a2.txt" "$campus/core-1.txt" "$campus/edge-b1.txt" \
  "$campus/annex-1.txt" "$work/again.quarn" --into "$work/campus.quarn"
cmp -s "$work/again.quarn" "$work/campus.quarn" || fail "importing the campus again changed the map"
tail -n 1 "$work/err" | grep -q '^Campus: 5 switches (0 added, 5 updated), 66 ports, 4 VLANs, 0 links made (5 already in the map),' ||
  fail "campus again: '$(tail -n 1 "$work/err")'"

# One switch's neighbours into a map that has the switch; neighbours that are
# no switch of the map may describe empty ports.
run 0 import "$campus/core-1.txt" "$work/core.quarn"
expect 0 "Imported 10 ports and 4 VLANs as acc-a2
Read 4 neighbours of acc-a2
Linked LAG core-1 Po2 ↔ acc-a2 Po1
Outside the map: acc-a2 Gi1/0/8 → acc-a1.campus.example.org Gi1/0/8
Outside the map: acc-a2 Gi1/0/3 → prn-2nd-floor Ethernet (described)
Campus: 1 switches (1 added, 0 updated), 10 ports, 4 VLANs, 1 links made (0 already in the map), 0 disagreements, 0 contradicted links, 2 neighbours outside the map" -- \
  import "$campus/acc-a2.txt" "$work/core-acc.quarn" --into "$work/core.quarn" --describe-neighbours
"$cli" ports "$work/core-acc.quarn" | grep -q '^acc-a2 port Gi1/0/3: untagged 10, tagged none, description "prn-2nd-floor Ethernet"$' ||
  fail "--describe-neighbours wrote no description"

# A link the neighbours contradict stays, unless --replace-links.
sed 's/^Port id: Gi1\/0\/8/Port id: Gi1\/0\/6/' "$campus/acc-a2.txt" >"$work/acc-a2-moved.txt"
run 0 import "$work/acc-a2-moved.txt" "$work/kept.quarn" --into "$work/campus.quarn"
grep -qx 'acc-a2 Gi1/0/8 is linked to acc-a1 Gi1/0/8, but its neighbours report acc-a1 Gi1/0/6: kept.' "$work/err" ||
  fail "contradicted link: '$(cat "$work/err")'"
cmp -s "$work/kept.quarn" "$work/campus.quarn" || fail "a contradicted link changed"
run 0 import "$work/acc-a2-moved.txt" "$work/replaced.quarn" --into "$work/campus.quarn" --replace-links
grep -qx 'acc-a2 Gi1/0/8 is linked to acc-a1 Gi1/0/8, but its neighbours report acc-a1 Gi1/0/6: replaced.' "$work/err" ||
  fail "replaced link: '$(cat "$work/err")'"
"$cli" ports "$work/replaced.quarn" | grep -q '^acc-a1 port Gi1/0/6: .*, link acc-a2 port Gi1/0/8$' ||
  fail "--replace-links did not link acc-a1 Gi1/0/6"

# Several files: --switch names none of them; a file that holds nothing is said, the others go in.
expect 2 "--switch names the switch of one FILE; each of several files names its own." -- \
  import "$campus/core-1.txt" "$campus/acc-a1.txt" - --switch x
run 0 import "$campus/core-1.txt" "$work/garbage.bin" "$work/with-garbage.quarn"
grep -q "^$work/garbage.bin holds no switch configuration that Quarn reads" "$work/err" ||
  fail "garbage among files: '$(cat "$work/err")'"
expect 2 "Could not open $work/missing.txt: No such file or directory" -- \
  import "$campus/core-1.txt" "$work/missing.txt" -

# Files that cannot be read or written.
expect 2 "Could not open $work/missing.cfg: No such file or directory" -- import "$work/missing.cfg" -
expect 2 "Could not open $work/missing.quarn: No such file or directory" -- \
  import "$work/acc-1.cfg" - --into "$work/missing.quarn"
run 2 import "$work/acc-1.cfg" "$work/no/such/folder/x.quarn"
tail -n 1 "$work/err" | grep -q "^Could not save $work/no/such/folder/x.quarn: " || fail "unwritable OUT: '$(cat "$work/err")'"

# Wrong usage.
usage="Usage: quarn-cli import FILE... OUT [--into MAP] [--switch NAME] [--dialect NAME] [--replace-links] [--describe-neighbours]"
expect 2 "$usage" -- import
expect 2 "$usage" -- import "$work/acc-1.cfg"
expect 2 "$usage" -- import "$work/acc-1.cfg" - --into
expect 2 "$usage" -- import "$work/acc-1.cfg" - --frobnicate

finish
