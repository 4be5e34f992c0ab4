#!/usr/bin/env bash
# Converts the IGES files of the corpus that place arcs by matrices and are drawn
# in inches with `talmir-convert iges2gcode` and compares the program with
# OpenCASCADE's reading of the same file (validate_iges.sh, and the box of every
# edge OCCT translates, through its DRAW harness).
#
#   validate_iges_import.sh TALMIR_CONVERT REPO_DIR
#
# Exits 77 (skipped) when ../shared or OCCT's DRAW harness is missing.
set -u
convert=$1
repo=$2
here=$(cd "$(dirname "$0")" && pwd)
shared=${TALMIR_SHARED:-$repo/../shared}
corpus=$shared/corpus/iges
draw=$(command -v DRAWEXE || compgen -c occt-draw- 2> /dev/null | sort -V | tail -n 1)
if [ ! -d "$corpus" ] || [ -z "$draw" ]; then
  echo "SKIP: no IGES corpus at $corpus or no OCCT DRAW harness"
  exit 77
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
pass=0 fail=0
for name in occt76_wireframe_lines_arcs_points_124.igs solidworks2018_chassis_wireframe_inch.igs; do
  cp "$corpus/$name" "$tmp/input.igs"
  if ! "$convert" iges2gcode "$tmp/input.igs" -o "$tmp/out.nc" 2> "$tmp/err"; then
    fail=$((fail + 1)); echo "FAIL $name: $(head -c 300 "$tmp/err")"; continue
  fi
  summary=$(bash "$shared/tools/validate_iges.sh" "$tmp/input.igs" 2> /dev/null | tail -n 1)
  cat > "$tmp/edges.tcl" << 'TCL'
pload MODELING XSDRAW
igesread input.igs a *
foreach e [explode a e] { puts "EDGE [bounding $e]" }
TCL
  (cd "$tmp" && timeout 300 "$draw" -b -f edges.tcl) 2>&1 | sed 's/\x1b\[[0-9;]*m//g' \
    | grep '^EDGE' > "$tmp/edges"
  if [[ "$summary" != "IGES OK"* ]]; then
    fail=$((fail + 1)); echo "FAIL $name: OCCT: $summary"; continue
  fi
  if verdict=$(python3 "$here/check_iges_import.py" "$tmp/out.nc" "$tmp/edges" "$summary"); then
    pass=$((pass + 1)); echo "ok $name: $verdict"
  else
    fail=$((fail + 1)); echo "FAIL $name: $verdict"
  fi
done
echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
