#!/bin/sh
# `git diff` and `git log -p` of map files through the text conversion that
# the README describes, in a temporary repository.
#   git_diff_test.sh QUARN_CLI EXAMPLES_DIR
set -u
. "$(dirname "$0")/lib.sh"

if ! command -v git >/dev/null 2>&1; then
  echo "SKIP: git is not installed (scripts/setup installs it)"
  exit 77
fi

# No user or system configuration may change what git prints.
export HOME="$work" GIT_CONFIG_NOSYSTEM=1 GIT_CONFIG_GLOBAL=/dev/null GIT_PAGER=cat LC_ALL=C.UTF-8
repo="$work/repo"
git init -q "$repo" || fail "git init"
g() { git -C "$repo" -c user.name=Test -c user.email=test@example.invalid -c color.ui=never "$@"; }

# The two lines of the README.
g config diff.quarn.textconv "'$cli' ports"
echo '*.quarn diff=quarn' >"$repo/.gitattributes"

cp "$examples/small-office.quarn" "$repo/site.quarn"
g add .gitattributes site.quarn
g commit -q -m first
# The description of the first port and the untagged VLAN of the second.
"$cli" ports "$repo/site.quarn" >"$work/before-lines" || fail "ports of the example"
sed -e '0,/"description": "[^"]*"/s//"description": "Moved desk"/' \
  -e '0,/"untagged": [0-9]*/!{0,/"untagged": [0-9]*/s//"untagged": 99/}' \
  "$examples/small-office.quarn" >"$repo/site.quarn"
g commit -q -a -m second

# Only port lines come out of the conversion: every changed line of the
# diff is a port line, and they are exactly the port lines that differ.
"$cli" ports "$repo/site.quarn" >"$work/after-lines" || fail "ports of the edited example"
diff "$work/before-lines" "$work/after-lines" | sed -n 's/^< /-/p; s/^> /+/p' | sort >"$work/want"
[ -s "$work/want" ] || fail "the edit changed no port line"
g diff HEAD~1 HEAD -- site.quarn >"$work/diff" || fail "git diff"
grep '^[-+][^-+]' "$work/diff" | sort >"$work/got"
cmp -s "$work/got" "$work/want" || fail "git diff: '$(cat "$work/got")', expected '$(cat "$work/want")'"
grep -q '"description"' "$work/diff" && fail "git diff shows JSON"
g log -p -1 -- site.quarn >"$work/log" || fail "git log -p"
grep '^[-+][^-+]' "$work/log" | sort >"$work/got"
cmp -s "$work/got" "$work/want" || fail "git log -p: '$(cat "$work/got")', expected '$(cat "$work/want")'"

finish
