#!/bin/sh
# End-to-end test of `quarn-cli svg` and `quarn-cli csv`: every example in
# every view is an SVG that rsvg-convert reads and renders; CSV bytes,
# separators, refusals and usage.
#   export_test.sh QUARN_CLI EXAMPLES_DIR
set -u
. "$(dirname "$0")/lib.sh"

command -v rsvg-convert >/dev/null || fail "rsvg-convert is missing (Debian package librsvg2-bin)"

found=0
for map in "$examples"/*.quarn; do
  [ -e "$map" ] || continue
  found=1
  for view in "" "--breakdown" "--breakdown --show-unused" "--topology" "--topology --vlan 10"; do
    # $view is split into its words on purpose.
    expect 0 "" -- svg "$map" "$work/map.svg" $view
    rsvg-convert "$work/map.svg" -o "$work/map.png" 2>"$work/rsvg" ||
      fail "rsvg-convert refused the SVG of $map $view: $(cat "$work/rsvg")"
    [ -s "$work/map.png" ] || fail "no image from $map $view"
    expect 0 "" -- svg "$map" - $view
    cmp -s "$work/map.svg" "$work/out" || fail "svg $map - $view wrote other bytes than to a file"
  done
  expect 0 "" -- csv "$map" "$work/map.csv"
  printf '\357\273\277Switch,Location,Port,Type,Untagged,Tagged,Description,Disabled,LAG,Linked To\r\n' >"$work/head"
  head -c "$(wc -c <"$work/head")" "$work/map.csv" | cmp -s - "$work/head" || fail "csv $map: wrong start"
  expect 0 "" -- csv "$map" - --separator ";"
  printf '\357\273\277Switch;Location;Port;Type;' >"$work/semi"
  head -c "$(wc -c <"$work/semi")" "$work/out" | cmp -s - "$work/semi" || fail "csv $map --separator ';': wrong start"
done
[ "$found" -eq 1 ] || fail "no examples in $examples"

# A small map, whole bytes.
cat >"$work/small.quarn" <<'MAP'
{
  "format": 1,
  "site": "R&D",
  "notes": "",
  "vlans": [{"id": 10, "name": "Data", "color": "#ff0000"}],
  "switches": [
    {
      "name": "sw",
      "location": "Hall, left",
      "model": "",
      "groups": [{"kind": "Rj45", "columns": 1, "rows": 1, "numbering": "Rows", "block": 0, "gap_after": 0}],
      "ports": [{"label": "1", "untagged": 10, "tagged": [], "description": "=cmd", "disabled": false, "link": null}],
      "lags": []
    }
  ]
}
MAP
expect 0 "" -- csv "$work/small.quarn" -
printf '\357\273\277Switch,Location,Port,Type,Untagged,Tagged,Description,Disabled,LAG,Linked To\r\nsw,"Hall, left",1,RJ45,10,,"'"'"'=cmd",,,\r\n' >"$work/want.csv"
cmp -s "$work/out" "$work/want.csv" || fail "csv of the small map: $(od -c "$work/out" | head -5)"
expect 0 "" -- csv "$work/small.quarn" - --separator "$(printf "\302\247")"
printf '\357\273\277Switch\302\247Location\302\247' >"$work/start"
head -c "$(wc -c <"$work/start")" "$work/out" | cmp -s - "$work/start" || fail "non-ASCII separator not written in UTF-8"
expect 0 "" -- svg "$work/small.quarn" -
grep -q '^<text x="16" y="26" font-size="16" fill="#000000" dominant-baseline="central" font-weight="bold">R&amp;D</text>$' \
  "$work/out" || fail "site title line missing"
printf '</svg>\n' >"$work/end"
tail -c 7 "$work/out" | cmp -s - "$work/end" || fail "svg does not end with </svg> and a line feed"

# Refusals: one message, exit 2.
printf '{"format": 3}' >"$work/newer.quarn"
expect 2 "This map uses file format 3. Update Quarn to open it." -- svg "$work/newer.quarn" -
expect 2 "This map uses file format 3. Update Quarn to open it." -- csv "$work/newer.quarn" -
expect 2 "Could not open $work/missing.quarn: No such file or directory" -- svg "$work/missing.quarn" -
expect 2 "Could not save $work/no/such.svg: No such file or directory" -- svg "$work/small.quarn" "$work/no/such.svg"

# Wrong usage.
svg_usage="Usage: quarn-cli svg MAP OUT [--breakdown] [--show-unused] [--topology [--vlan ID]]"
csv_usage="Usage: quarn-cli csv MAP OUT [--separator C]  (C is one character)"
expect 2 "$svg_usage" -- svg "$work/small.quarn"
expect 2 "$svg_usage" -- svg "$work/small.quarn" - --dark
expect 2 "$svg_usage" -- svg "$work/small.quarn" - --topology --vlan
expect 2 "4095 is not a VLAN ID (1 to 4094)." -- svg "$work/small.quarn" - --topology --vlan 4095
expect 2 "$csv_usage" -- csv "$work/small.quarn" - --separator
expect 2 "$csv_usage" -- csv "$work/small.quarn" - --separator ";;"
expect 2 "$csv_usage" -- csv a b c

finish
