#!/usr/bin/env bash
# Feeds what the hole-data exports of talmir-convert write to real third-party
# readers (ezdxf, OpenCASCADE, gerbv, openpyxl) and compares what they read with the
# generated hole data; runs dxfcircles2holes over the DXF corpus and compares its
# holes with the circles ezdxf finds in model space; reads the G81 conversions of
# the corpus's drilling program back.
#
#   validate_holes.sh TALMIR_CONVERT REPO_DIR
#
# Exits 77 (skipped) when ../shared or the Python readers are missing.
set -u
convert=$1
repo=$2
shared=${TALMIR_SHARED:-$repo/../shared}
tools=$shared/tools
check=$repo/tests/tools/check_holes.py
if [ ! -d "$tools" ] || [ ! -d "$shared/corpus/dxf" ]; then
  echo "SKIP: no shared folder at $shared"
  exit 77
fi
# The first python3 that has both readers (a pyenv one on PATH may lack them).
py=""
for cand in python3 /usr/bin/python3; do
  if "$cand" -c 'import ezdxf, openpyxl' 2> /dev/null; then py=$cand; break; fi
done
if [ -z "$py" ]; then
  echo "SKIP: no python3 with ezdxf and openpyxl"
  exit 77
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
pass=0 fail=0

result() {  # result NAME OK? SUMMARY
  if [ "$2" = 0 ]; then pass=$((pass + 1)); else fail=$((fail + 1)); echo "FAIL $1: $3"; fi
}

# Words of `want` must all stand in the summary line of a validator.
has_all() {
  local summary=$1 word
  shift
  for word in "$@"; do [[ "$summary" == *"$word"* ]] || return 1; done
}

holes=$tmp/holes.txt
"$py" "$check" gen "$holes" 400
read -r count box < <("$py" "$check" expect "$holes")
IFS=, read -r xmin ymin xmax ymax <<< "$box"

"$convert" holes2dxf "$holes" -o "$tmp/h.dxf" &&
  summary=$("$py" "$check" dxf "$tmp/h.dxf" "$holes")
result holes2dxf $? "${summary:-conversion failed}"
summary=$("$py" "$tools/validate_dxf.py" "$tmp/h.dxf" | tail -n 1)
has_all "$summary" "DXF OK" "audit:errors=0" "entities=400" "T1:CIRCLE=100" "T4:CIRCLE=100"
result "holes2dxf (validate_dxf)" $? "$summary"

"$convert" holes2iges --timestamp 20240102030405 "$holes" -o "$tmp/h.igs"
summary=$("$tools/validate_iges.sh" --strict "$tmp/h.igs" 2> /dev/null | tail -n 1)
code=$?
if [ "$code" -ne 2 ]; then
  # OCCT's bounding box of the circles, rounded to four decimals.
  bbox=$("$py" -c "print('bbox_file=(%g,%g)-(%g,%g)' % tuple(round(float(v), 4) for v in '$xmin $ymin $xmax $ymax'.split()))")
  has_all "$summary" "IGES OK" "loaded=400" "types[100:400]" "unit=2(MM" "$bbox"
  result holes2iges $? "$summary (want $bbox)"
fi

# Flashes are counted at their centres: the box of the holes without the radii.
for form in "--unit 1" "--unit 2 --block-end lf" "--unit 3 --block-end crlf" "--unit 0 --block-end cr"; do
  # shellcheck disable=SC2086
  "$convert" holes2gerber --rs274x $form "$holes" -o "$tmp/h.gbr"
  summary=$("$tools/validate_gerber.sh" "$tmp/h.gbr" 2> /dev/null | tail -n 1)
  [ $? -eq 2 ] && continue
  has_all "$summary" "GERBER OK" "critical=0" "apertures=4" "draws=0" "flashes=400"
  result "holes2gerber $form" $? "$summary"
done

for layout in a b c; do
  "$convert" holes2xlsx --layout $layout "$holes" -o "$tmp/h.xlsx" &&
    summary=$("$py" "$check" xlsx "$tmp/h.xlsx" "$holes" $layout)
  result "holes2xlsx $layout" $? "${summary:-conversion failed}"
done

# Every drawing of the corpus: the holes are the model-space circles, tool by layer.
# A drawing without any (librecad_v2_r2007_ucsorg_arc_line has circles only in
# BLOCKS) gives the message and no holes.
for dxf in "$shared"/corpus/dxf/*.dxf; do
  name=$(basename "$dxf" .dxf)
  rm -f "$tmp/c.txt"
  "$convert" dxfcircles2holes "$dxf" -o "$tmp/c.txt" 2> "$tmp/err"
  code=$?
  summary=$("$py" "$check" circles "$dxf" "$tmp/c.txt")
  ok=$?
  if [[ "$summary" == *"holes=0"* ]]; then
    [ "$code" -eq 1 ] && grep -q "変換可能なコマンド" "$tmp/err"
    ok=$?
  elif [ "$code" -ne 0 ]; then
    ok=1
  fi
  result "dxfcircles2holes $name" $ok "$summary (exit $code)"
done

# The drilling program of the corpus (another CAM system's G81 cycles, the holes
# after the first as lines of X and Y): g81-to-holes finds all 20 holes, and the
# contours of g81-contours, drawn by gcode2dxf, are closed and stay inside the
# outline asked for around their hole, pass by pass with fill too.
drill=$shared/corpus/gcode/pcb2gcode_D1MiniGSR_drill_g81.ngc
if [ -f "$drill" ]; then
  "$convert" g81-to-holes "$drill" -o "$tmp/g81.txt"
  holes=$(grep -c '^X' "$tmp/g81.txt")
  [ "$holes" -eq 20 ]
  result g81-to-holes $? "$holes holes, not 20"
  # SHAPE A B FILL: the holes stand 2 mm apart, so every outline stays under 2 mm.
  for shape in "round 1.8 0.8 0" "round 1.5 1.5 0.2" "round 0.8 1.9 0.15" \
               "square 1.5 1.5 0" "square 1.9 1 0.3" "square 1 1.6 0.25"; do
    read -r kind a b fill <<< "$shape"
    "$convert" g81-contours --shape "$kind" --x-size "$a" --y-size "$b" --fill "$fill" \
      "$drill" -o "$tmp/g81.nc" && "$convert" gcode2dxf "$tmp/g81.nc" -o "$tmp/g81.dxf" &&
      summary=$("$py" "$tools/validate_dxf.py" "$tmp/g81.dxf" | tail -n 1) &&
      has_all "$summary" "DXF OK" "audit:errors=0" &&
      summary=$("$py" "$repo/tests/tools/check_contours.py" "$tmp/g81.dxf" "$tmp/g81.txt" "$a" "$b")
    result "g81-contours $shape" $? "${summary:-conversion failed}"
  done
fi

echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ] || exit 1
exit 0
