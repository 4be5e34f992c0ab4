#!/usr/bin/env bash
# The graphic frame's arithmetic read back by ezdxf: `measure` and `stats` of the DXF import
# of two corpus drawings against the exact lengths of their entities, and the
# outlines that `outlines` writes with a width against the plain program's box.
#
#   validate_frame_tools.sh TALMIR_CONVERT REPO_DIR
#
# Exits 77 (skipped) when ../shared or ezdxf is missing.
set -u
convert=$1
repo=$2
shared=${TALMIR_SHARED:-$repo/../shared}
check=$repo/tests/tools/check_frame_tools.py
if [ ! -d "$shared/corpus/dxf" ]; then
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

for name in langmuir_SquareWithCircleHole_r12_line_arc librecad_blk1_r2007_closed_lwpoly_bulge; do
  drawing=$shared/corpus/dxf/$name.dxf
  "$convert" dxf2gcode "$drawing" -o "$tmp/$name.nc" &&
    "$convert" measure --json "$tmp/$name.nc" -o "$tmp/$name.json" &&
    "$py" "$check" perimeter "$drawing" "$tmp/$name.json" || { fail=1; echo "FAIL $name"; }
  # The statistics use the same arithmetic and keys.
  "$convert" stats --json "$tmp/$name.nc" -o "$tmp/$name.stats.json" &&
    "$py" "$check" perimeter "$drawing" "$tmp/$name.stats.json" || { fail=1; echo "FAIL stats $name"; }
done

# A width of 2 on the contour's layer "0": the outline reaches 1 beyond it.
program=$tmp/librecad_blk1_r2007_closed_lwpoly_bulge.nc
printf '"0","2.000",255\r\n' > "$tmp/widths"
"$convert" gcode2dxf "$program" -o "$tmp/plain.dxf" &&
  "$convert" outlines --widths "$tmp/widths" "$program" -o "$tmp/outlined.nc" &&
  "$convert" gcode2dxf "$tmp/outlined.nc" -o "$tmp/outlined.dxf" &&
  "$py" "$check" outline "$tmp/plain.dxf" "$tmp/outlined.dxf" 1 || { fail=1; echo "FAIL outline"; }
exit $fail
