#!/usr/bin/env bash
# Runs every golden case through the real talmir-convert binary (see GoldenTest.cpp
# for the folder layout) and compares the bytes. Usage: run_golden.sh TALMIR_CONVERT GOLDEN_DIR
set -u
convert=$1
root=$2
pass=0
fail=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# A build without the Qt layer has no plot command; its cases are skipped.
commands=$("$convert" --help)
for dir in "$root"/*/*/; do
  [ -d "$dir" ] || continue
  command=$(basename "$(dirname "$dir")")
  grep -q "^  $command " <<< "$commands" || continue
  args=()
  if [ -f "$dir/options.ini" ]; then
    while IFS= read -r line || [ -n "$line" ]; do
      line=${line%$'\r'}
      case "$line" in ''|'#'*|';'*) continue ;; esac
      line=${line//@CASE@/${dir%/}}
      if [[ "$line" == *=* ]]; then args+=("--${line%%=*}" "${line#*=}"); else args+=("--$line"); fi
    done < "$dir/options.ini"
  fi
  inputs=()
  if [ -f "$dir/input" ]; then inputs=("$dir/input"); else
    i=1; while [ -f "$dir/input$i" ]; do inputs+=("$dir/input$i"); i=$((i + 1)); done
  fi
  expected_exit=0
  [ -f "$dir/expected.exit" ] && expected_exit=$(tr -d ' \r\n' < "$dir/expected.exit")
  "$convert" "$command" "${args[@]}" "${inputs[@]}" -o "$tmp/out" 2> "$tmp/err"
  code=$?
  ok=1
  [ "$code" -eq "$expected_exit" ] || ok=0
  # A failed conversion leaves no -o file; standard error holds the case's text.
  if [ "$code" -ne 0 ]; then
    [ ! -e "$tmp/out" ] || ok=0
    if [ -f "$dir/expected.stderr" ]; then
      [[ "$(cat "$tmp/err")" == *"$(cat "$dir/expected.stderr")"* ]] || ok=0
    fi
  fi
  if [ "$ok" = 1 ] && [ "$code" -eq 0 ]; then
    if [ -f "$dir/expected" ]; then cmp -s "$tmp/out" "$dir/expected" || ok=0
    else [ ! -s "$tmp/out" ] || ok=0; fi
  fi
  if [ "$ok" = 1 ]; then pass=$((pass + 1)); else
    fail=$((fail + 1)); echo "FAIL $command/$(basename "$dir") (exit $code)"; head -c 500 "$tmp/err"
  fi
  rm -f "$tmp/out"
done
echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
