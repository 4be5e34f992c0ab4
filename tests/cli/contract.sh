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
# An import that fails after megabytes of its program have gone to the -o file
# leaves the file that was there as it was, and nothing beside it; read from a pipe
# it gives the same bytes as from the file.
for i in $(seq 1 300); do printf 'PD100,200,300,400,500,600,700,800,900,1000,1100,1200;\n%.0s' $(seq 1 1000); done > "$tmp/long.plt"
check "hpgl2gcode of a long file" 0 "$convert" hpgl2gcode "$tmp/long.plt" -o "$tmp/long.nc"
check "hpgl2gcode from a pipe" 0 sh -c "cat '$tmp/long.plt' | '$convert' hpgl2gcode /dev/stdin -o '$tmp/piped.nc'"
cmp -s "$tmp/long.nc" "$tmp/piped.nc" || { fail=$((fail + 1)); echo "FAIL pipe and file differ"; }
[ "$(wc -c < "$tmp/long.nc")" -gt 4000000 ] || { fail=$((fail + 1)); echo "FAIL long program too short"; }
cp "$tmp/long.plt" "$tmp/bad.plt"
printf 'PD1E45,0;\n' >> "$tmp/bad.plt"
printf 'old' > "$tmp/kept.nc"
check "hpgl2gcode failing at the end" 1 "$convert" hpgl2gcode "$tmp/bad.plt" -o "$tmp/kept.nc"
grep -q 'オーバーフローしました。' "$tmp/stderr" || { fail=$((fail + 1)); echo "FAIL overflow message"; }
[ "$(cat "$tmp/kept.nc")" = old ] || { fail=$((fail + 1)); echo "FAIL -o file changed by a failure"; }
[ "$(ls "$tmp" | grep -c talmir-tmp)" -eq 0 ] || { fail=$((fail + 1)); echo "FAIL temporary file left"; }
# Without -o a streaming conversion writes its pieces to standard output as it makes
# them; the bytes are those of the -o file, also where pieces come out of order
# (the holes of each layer of circles have their own place) or the tool table is
# found after the holes.
check "hpgl2gcode to standard output" 0 sh -c "'$convert' hpgl2gcode '$tmp/long.plt' > '$tmp/long.stdout'"
cmp -s "$tmp/long.nc" "$tmp/long.stdout" || { fail=$((fail + 1)); echo "FAIL hpgl2gcode standard output differs"; }
awk 'BEGIN { print "0\nSECTION\n2\nENTITIES"; for (i = 0; i < 40000; i++) printf "0\nCIRCLE\n8\nL%d\n10\n%d.25\n20\n%d.5\n40\n%d\n", i % 4, i % 499, i % 311, i % 5 + 1; print "0\nENDSEC\n0\nEOF" }' > "$tmp/circles.dxf"
check "dxfcircles2holes -o" 0 "$convert" dxfcircles2holes "$tmp/circles.dxf" -o "$tmp/circles.hol"
check "dxfcircles2holes to standard output" 0 sh -c "'$convert' dxfcircles2holes '$tmp/circles.dxf' > '$tmp/circles.stdout'"
cmp -s "$tmp/circles.hol" "$tmp/circles.stdout" || { fail=$((fail + 1)); echo "FAIL dxfcircles2holes standard output differs"; }
awk 'BEGIN { print "M48"; for (i = 0; i < 300000; i++) print (i % 3 == 0 ? "T" i % 20 + 1 "C0." i % 9 + 1 : "X" i % 4999 "Y" i % 311); print "M30" }' > "$tmp/drill.drl"
check "holes -o" 0 "$convert" holes "$tmp/drill.drl" -o "$tmp/drill.hol"
check "holes to standard output" 0 sh -c "'$convert' holes '$tmp/drill.drl' > '$tmp/drill.stdout'"
cmp -s "$tmp/drill.hol" "$tmp/drill.stdout" || { fail=$((fail + 1)); echo "FAIL holes standard output differs"; }
[ "$(wc -c < "$tmp/drill.hol")" -gt 2000000 ] || { fail=$((fail + 1)); echo "FAIL hole data too short"; }
# A failure after pieces went to standard output is still a failure.
check "hpgl2gcode to standard output failing at the end" 1 sh -c "'$convert' hpgl2gcode '$tmp/bad.plt' > /dev/null"
grep -q 'オーバーフローしました。' "$tmp/stderr" || { fail=$((fail + 1)); echo "FAIL overflow message on standard output"; }
# An -o that is no regular file (a named pipe, /dev/null) is written to as it is:
# never replaced by a file renamed over it. Streaming and whole outputs both.
mkfifo "$tmp/pipe"
for command in hpgl2gcode eol; do
  timeout 60 cat "$tmp/pipe" > "$tmp/from-pipe" &
  reader=$!
  check "$command -o a named pipe" 0 "$convert" $command "$tmp/long.plt" -o "$tmp/pipe"
  wait $reader
  [ -p "$tmp/pipe" ] || { fail=$((fail + 1)); echo "FAIL $command replaced the named pipe"; rm -f "$tmp/pipe"; mkfifo "$tmp/pipe"; }
  "$convert" $command "$tmp/long.plt" > "$tmp/to-stdout"
  cmp -s "$tmp/from-pipe" "$tmp/to-stdout" || { fail=$((fail + 1)); echo "FAIL $command bytes through the named pipe"; }
done
[ "$(ls "$tmp" | grep -c talmir-tmp)" -eq 0 ] || { fail=$((fail + 1)); echo "FAIL temporary file beside the pipe"; }
echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
