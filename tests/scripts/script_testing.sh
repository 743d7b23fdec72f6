# Sourced by the script tests: a scratch folder removed at exit, and a count of
# failures that fail() adds to and finish() turns into the exit status.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
case_name=""

# fail MESSAGE...: one failure, of the case named in case_name when there is one.
fail() {
  echo "FAIL${case_name:+ ($case_name)}: $*"
  failures=$((failures + 1))
}

# finish WHAT: "WHAT: all passed" when nothing failed; exits 1 when something did.
finish() {
  [ "$failures" -eq 0 ] && echo "$1: all passed"
  exit $((failures > 0))
}
