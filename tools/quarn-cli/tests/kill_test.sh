#!/bin/sh
# Saves killed at random moments: after every SIGKILL the target holds the
# whole old map or the whole new one, never a mix; the temporary file a kill
# leaves behind is removed by the next save.
#   kill_test.sh QUARN_CLI EXAMPLES_DIR
set -u
. "$(dirname "$0")/lib.sh"

kills=40

# Two big maps that differ everywhere: 8 MB of notes each.
big_map() { # letter file
  printf '{"format":1,"site":"%s","notes":"' "$1" >"$2"
  head -c 8000000 /dev/zero | tr '\0' "$1" >>"$2"
  printf '","vlans":[],"switches":[]}' >>"$2"
  "$cli" format "$2" "$2.formatted" || fail "the big map $1 does not format"
  mv "$2.formatted" "$2"
}
big_map a "$work/a.quarn"
big_map b "$work/b.quarn"
target="$work/target.quarn"
cp "$work/a.quarn" "$target"

# How long one save takes here, so that the kills spread over all of it:
# reading, writing, flushing and the replace.
start=$(date +%s%N)
"$cli" format "$work/b.quarn" "$target" || fail "a plain save failed"
span=$((($(date +%s%N) - start) / 1000000 + 1))
cp "$work/a.quarn" "$target"

random_below() { # n: a number from 0 to n - 1
  echo $(($(od -An -N4 -tu4 /dev/urandom) % $1))
}

killed=0
leftovers=0
current=a
while [ "$killed" -lt "$kills" ]; do
  if [ "$current" = a ]; then next=b; else next=a; fi
  "$cli" format "$work/$next.quarn" "$target" 2>"$work/err" &
  pid=$!
  if [ $((killed % 2)) -eq 0 ]; then
    # Anywhere in the save.
    delay=$(random_below "$span")
  else
    # While the temporary file is being written, flushed and put in place:
    # once it is there, within the next few milliseconds.
    while [ ! -e "$target.quarn-save" ] && kill -0 "$pid" 2>/dev/null; do :; done
    delay=$(random_below 8)
  fi
  sleep "$((delay / 1000)).$(printf '%03d' $((delay % 1000)))"
  kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  killed=$((killed + 1))
  if cmp -s "$target" "$work/$next.quarn"; then
    current=$next
  elif ! cmp -s "$target" "$work/$current.quarn"; then
    fail "kill $killed after $delay ms: the target is neither the old map nor the new one"
    cp "$work/$current.quarn" "$target"
  fi
  [ -e "$target.quarn-save" ] && leftovers=$((leftovers + 1))
done

# The next save clears what the kills left.
"$cli" format "$work/a.quarn" "$target" || fail "the save after the kills failed: $(cat "$work/err")"
cmp -s "$target" "$work/a.quarn" || fail "the save after the kills did not land"
[ ! -e "$target.quarn-save" ] || fail "the temporary file of a killed save is still there"
[ "$(ls "$work" | grep -c 'quarn-save')" -eq 0 ] || fail "temporary files left: $(ls "$work")"
echo "$killed kills over a save of $span ms; $leftovers left a temporary file"
[ "$leftovers" -gt 0 ] || fail "no kill met a save while it wrote its temporary file"

finish
