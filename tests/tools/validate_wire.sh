#!/usr/bin/env bash
# The wire-cut conversions checked by a real third-party reader: every G22 shape
# cycle cut by wire2gcode, written by gcode2dxf and read back with ezdxf against
# its closed-form figure (check_wire_shapes.py); and every wire program of the
# shared corpus expanded, translated and plotted without an error.
#
#   validate_wire.sh TALMIR_CONVERT REPO_DIR
#
# Exits 77 (skipped) when ../shared or a python3 with ezdxf is missing.
set -u
convert=$1
repo=$2
shared=${TALMIR_SHARED:-$repo/../shared}
if [ ! -d "$shared/corpus/wire" ]; then
  echo "SKIP: no shared folder at $shared"
  exit 77
fi
py=""
for cand in python3 /usr/bin/python3; do
  if "$cand" -c 'import ezdxf' 2> /dev/null; then py=$cand; break; fi
done
if [ -z "$py" ]; then
  echo "SKIP: no python3 with ezdxf"
  exit 77
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail=0
# A build without the Qt layer has no plot command.
plots=0
"$convert" --help | grep -q '^  plot ' && plots=1
"$py" "$repo/tests/tools/check_wire_shapes.py" "$convert" || fail=1
for program in "$shared"/corpus/wire/*; do
  [ -f "$program" ] || continue
  case "$program" in *.md|*.txt) continue ;; esac
  for command in wire-expand wire2gcode; do
    if ! "$convert" "$command" "$program" -o "$tmp/out" 2> "$tmp/err"; then
      echo "FAIL $command $(basename "$program"): $(head -c 300 "$tmp/err")"
      fail=1
    fi
  done
  if [ "$plots" = 1 ] && ! "$convert" plot --wire "$program" -o "$tmp/plot.png" 2> "$tmp/err"; then
    echo "FAIL plot --wire $(basename "$program"): $(head -c 300 "$tmp/err")"
    fail=1
  fi
done
[ "$fail" -eq 0 ] && echo "wire conversions OK"
exit "$fail"
