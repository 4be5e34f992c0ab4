#!/usr/bin/env bash
# The command-line contract shared by every talmir-convert command.
set -u
convert=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
pass=0
fail=0
check() {  # check NAME EXPECTED_EXIT COMMAND...
  local name=$1 want=$2
  shift 2
  "$@" > "$tmp/stdout" 2> "$tmp/stderr"
  local got=$?
  if [ "$got" -eq "$want" ]; then pass=$((pass + 1)); else
    fail=$((fail + 1)); echo "FAIL $name: exit $got, wanted $want"; cat "$tmp/stderr"; fi
}
printf 'G00X0Y0\r\n\r\nM30' > "$tmp/in.nc"
check "help" 0 "$convert" --help
grep -q '^  eol ' "$tmp/stdout" || { fail=$((fail + 1)); echo "FAIL help lists eol"; }
check "no arguments" 2 "$convert"
check "unknown command" 2 "$convert" no-such-command "$tmp/in.nc"
check "missing input" 2 "$convert" eol
check "unreadable input" 1 "$convert" eol "$tmp/does-not-exist"
check "stdout" 0 "$convert" eol --lf "$tmp/in.nc"
[ "$(cat "$tmp/stdout")" = $'G00X0Y0\nM30' ] || { fail=$((fail + 1)); echo "FAIL stdout bytes"; }
check "-o" 0 "$convert" eol --cr "$tmp/in.nc" -o "$tmp/out.nc"
[ "$(od -An -c "$tmp/out.nc" | tr -d ' \n')" = 'G00X0Y0\rM30\r' ] || { fail=$((fail + 1)); echo "FAIL -o bytes"; }
check "-o into a missing folder" 1 "$convert" eol "$tmp/in.nc" -o "$tmp/no/such/dir/out"
# A wire program finds its subprograms in the folder SUB beside it unless --sub
# names another.
mkdir -p "$tmp/die/SUB" "$tmp/other"
printf 'M98P1000\r\n' > "$tmp/die/main.nc"
printf 'G01X1.Y2.\r\n' > "$tmp/die/SUB/O1000"
check "wire-expand SUB beside the input" 0 "$convert" wire-expand "$tmp/die/main.nc"
grep -q 'G01X1.0Y2.0' "$tmp/stdout" || { fail=$((fail + 1)); echo "FAIL subprogram beside"; }
check "wire-expand --sub without it" 1 "$convert" wire-expand --sub "$tmp/other" "$tmp/die/main.nc"
grep -q 'O1000が登録されていません' "$tmp/stderr" || { fail=$((fail + 1)); echo "FAIL missing message"; }
echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
