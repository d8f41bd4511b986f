# Shared by the end-to-end tests of quarn-cli; sourced with
#   . "$(dirname "$0")/lib.sh"
# by a script that is run as
#   sh SCRIPT QUARN_CLI EXAMPLES_DIR
# It sets cli, examples, a work folder removed on exit and the failure count.
cli=$1
examples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# want FILE TEXT: FILE holds TEXT and a line feed, or nothing for an empty TEXT.
want() {
  if [ -n "$2" ]; then printf '%s\n' "$2" >"$1"; else : >"$1"; fi
}

# run CODE ARGS...: runs the command with its outputs in $work/out and
# $work/err and checks the exit code.
run() {
  code=$1
  shift
  "$cli" "$@" >"$work/out" 2>"$work/err"
  got=$?
  [ "$got" -eq "$code" ] || fail "$*: exit $got, expected $code"
}

# expect CODE STDERR -- ARGS...: runs the command and compares exit code and
# standard error whole (an empty text means no output at all).
expect() {
  code=$1
  message=$2
  shift 3
  run "$code" "$@"
  want "$work/want-err" "$message"
  cmp -s "$work/err" "$work/want-err" || fail "$*: stderr was '$(cat "$work/err")', expected '$message'"
}

# expect_output CODE STDOUT STDERR -- ARGS...: as expect, and compares
# standard output whole too.
expect_output() {
  out=$2
  err=$3
  code=$1
  shift 3
  expect "$code" "$err" "$@"
  shift
  want "$work/want-out" "$out"
  cmp -s "$work/out" "$work/want-out" || fail "$*: stdout was '$(cat "$work/out")', expected '$out'"
}

# finish: the summary line, and the exit status of the test.
finish() {
  if [ "$failures" -eq 0 ]; then
    echo "$(basename "$0" .sh): all passed"
    exit 0
  fi
  exit 1
}
