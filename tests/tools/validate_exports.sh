#!/usr/bin/env bash
# Feeds what the G-code exports of talmir-convert write to real third-party readers
# (ezdxf, OpenCASCADE, gerbv, hp2xx, through the validators in ../shared/tools) and
# checks the counts and coordinates each reader reports, not only its verdict.
#
#   validate_exports.sh TALMIR_CONVERT REPO_DIR
#
# The shared folder is $TALMIR_SHARED or REPO_DIR/../shared. Exits 77 (skipped)
# when the folder or every reader is missing; a format whose reader is missing is
# skipped with a message.
set -u
convert=$1
repo=$2
shared=${TALMIR_SHARED:-$repo/../shared}
tools=$shared/tools
corpus=$shared/corpus/gcode
if [ ! -d "$tools" ] || [ ! -d "$corpus" ]; then
  echo "SKIP: no shared folder at $shared (validators and G-code corpus)"
  exit 77
fi
program=$repo/tests/golden/gcode2dxf/program/input
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
pass=0 fail=0 skip=0
declare -A missing=()

# A count of `pattern` (an extended regular expression) in the output, one match a line.
count_in() { grep -aEc "$2" "$1"; }

# What the output itself says the reader must find: entities, records, blocks.
own_counts() {  # own_counts FORMAT FILE
  local f=$2
  case $1 in
    dxf) echo "entities=$(tr -d '\r' < "$f" | grep -cxE 'LINE|ARC|CIRCLE|POINT')" ;;
    iges) echo "loaded=$(( $(count_in "$f" '^.{72}D') / 2 ))" ;;
    gerber) tr -d '\r\n' < "$f" | tr '*' '\n' > "$tmp/blocks"
            echo "draws=$(count_in "$tmp/blocks" 'D01$') flashes=$(count_in "$tmp/blocks" 'D03$')" ;;
    hpgl) echo "commands=$(tr -d '\r\n' < "$f" | tr ';' '\n' | grep -c .)" ;;
  esac
}

# check NAME INPUT FORMAT "CONVERT OPTIONS" "VALIDATOR OPTIONS" "EXPECTED WORDS"
# EXPECTED WORDS are blank-separated pieces of the reader's summary line, or
# "exit=N" for a conversion that must end with that exit code.
check() {
  local name=$1 input=$2 format=$3 copts=$4 vopts=$5 want=$6
  local out=$tmp/out validator code summary word
  case $format in
    dxf) validator=(python3 "$tools/validate_dxf.py") command=gcode2dxf ;;
    iges) validator=("$tools/validate_iges.sh") command=gcode2iges ;;
    gerber) validator=("$tools/validate_gerber.sh") command=gcode2gerber ;;
    hpgl) validator=("$tools/validate_hpgl.sh") command=gcode2hpgl ;;
  esac
  if [ -n "${missing[$format]:-}" ]; then skip=$((skip + 1)); return; fi
  # shellcheck disable=SC2086
  "$convert" "$command" $copts "$input" -o "$out" 2> "$tmp/err"
  code=$?
  if [ "$code" -ne 0 ]; then
    if [[ " $want " == *" exit=$code "* ]]; then pass=$((pass + 1)); else
      fail=$((fail + 1)); echo "FAIL $name: talmir-convert exit $code: $(head -c 300 "$tmp/err")"; fi
    return
  fi
  # shellcheck disable=SC2086
  summary=$("${validator[@]}" $vopts "$out" 2> "$tmp/reader" | tail -n 1)
  code=${PIPESTATUS[0]}
  if [ "$code" -eq 2 ]; then
    echo "SKIP $format: reader missing ($summary)"
    missing[$format]=1
    skip=$((skip + 1))
    return
  fi
  local ok=1
  for word in $want $(own_counts "$format" "$out"); do
    [[ "$summary" == *"$word"* ]] || { ok=0; echo "  missing: $word"; }
  done
  if [ "$ok" = 1 ]; then pass=$((pass + 1)); else
    fail=$((fail + 1)); echo "FAIL $name ($format): $summary"; fi
}

stamp="--timestamp 20240102030405"
c=$corpus

# A hand-made program: every entity kind, two layers, a full circle, a zero-length feed.
check program "$program" dxf "" "" \
  "DXF OK audit:errors=0 entities=8 layers[(T1):LINE=2,ARC=2,CIRCLE=1,POINT=1 (T2):LINE=1,POINT=1] bbox=(0,-11.5008)-(30,10)"
check program "$program" iges "$stamp" "--strict" \
  "IGES OK loaded=8 types[100:3,110:4,116:1] global_F=0 unit=2(MM bbox_file=(0,-11.5)-(30,10)"
for unit in "--unit 0 --block-end lf" "--unit 1 --block-end cr" "--unit 2" "--unit 3 --block-end crlf"; do
  check "program $unit" "$program" gerber "--rs274x $unit" "" \
    "GERBER OK critical=0 warnings=0 apertures=4 draws=7 arcs=3 flashes=1 bbox_mm=(0,-1.5)-(30,5)"
done
check "program, block form" "$program" gerber "" "--wrap 3" \
  "GERBER-WRAPPED OK critical=0 apertures=4 draws=7 arcs=3 flashes=1 bbox_mm=(0,-1.5)-(30,5)"
check program "$program" hpgl "" "" \
  "HPGL OK commands=32 ignored=0 unexpected=0 range_mm=(0,-11.5)-(30,9.878)"

# The G-code corpus, written by other programs: lower-case words, G1 for G01,
# coordinates-only lines that continue the motion, comment lines as sections (a
# ";" comment's layer name takes "_" for the ";" DXF refuses), plunges that move
# only in Z left out.
f=$c/linuxcnc_comp311_lowercase_arcs.ngc
check comp311 "$f" dxf "" "" "DXF OK audit:errors=0 entities=18 bbox=(-3.0001,-2)-(3,5)"
check comp311 "$f" iges "$stamp" "--strict" \
  "IGES OK loaded=18 types[100:10,110:8] global_F=0 entity_F=0 unit=2(MM bbox_file=(-3.8944,-2)-(3,5)"
check comp311 "$f" gerber "--rs274x" "" \
  "GERBER OK critical=0 warnings=0 draws=18 arcs=10 flashes=0 bbox_mm=(-2.6,-2)-(3,5)"
check comp311 "$f" hpgl "" "" "HPGL OK commands=69 ignored=0 range_mm=(-2.9,-2)-(3,5)"

# "G3 I -20": a blank between the letter and its number.
f=$c/linuxcnc_gmoccapy_cutter_comp_arcs.ngc
check gmoccapy "$f" dxf "" "" \
  "DXF OK audit:errors=0 entities=6 F1000:CIRCLE=1 F2000:CIRCLE=1 G41:ARC=2 _ Aus dem bbox=(30,30)-(70,70)"
check gmoccapy "$f" gerber "--rs274x" "" \
  "GERBER OK critical=0 warnings=0 draws=6 arcs=6 flashes=0 bbox_mm=(50,50)-(70,50)"
check gmoccapy "$f" hpgl "" "" "HPGL OK commands=81 ignored=0 range_mm=(0,-9.999)-(70,70)"

f=$c/linuxcnc_mmount_g81_g83_macros.ngc
check mmount "$f" dxf "" "" "DXF OK audit:errors=0 entities=95 bbox=(-3.75,-11.571)-(2.4047,2.75)"
check mmount "$f" iges "$stamp" "--strict" \
  "IGES OK loaded=95 types[100:60,110:30,116:5] global_F=0 entity_F=0 unit=2(MM bbox_file=(-3.75,-11.5709)-(2.4046,2.75)"
check mmount "$f" gerber "--rs274x" "" \
  "GERBER OK critical=0 warnings=0 apertures=128 draws=90 arcs=60 flashes=5 bbox_mm=(-3.75,-11.467)-(2.405,2.75)"
check mmount "$f" gerber "" "--wrap 3" "GERBER-WRAPPED OK draws=90 arcs=60 flashes=5"
check mmount "$f" hpgl "" "" "HPGL OK commands=541 ignored=0 range_mm=(-3.75,-11.475)-(2.4,2.75)"

# "N0140 G01 Y149.6432": line numbers, and X from the line before.
f=$c/linuxcnc_plasmatest_cam_post_crlf.ngc
check plasmatest "$f" dxf "" "" "DXF OK audit:errors=0 entities=347 bbox=(5.41,9.25)-(593.8979,310.75)"
check plasmatest "$f" iges "$stamp" "--strict" \
  "IGES OK loaded=347 types[100:129,110:218] global_F=0 entity_F=0 unit=2(MM bbox_file=(5.41,9.25)-(593.8978,310.75)"
check plasmatest "$f" gerber "--rs274x --unit 0" "" \
  "GERBER OK critical=0 warnings=0 apertures=43 draws=347 arcs=129 flashes=0 bbox_mm=(5.41,9.25)-(593.7432,310.75)"
check plasmatest "$f" gerber "--unit 2" "--wrap 3" "GERBER-WRAPPED OK draws=347 arcs=129"
check plasmatest "$f" hpgl "" "" "HPGL OK commands=993 ignored=0 range_pu=(216,370)-(23755.8,12430)"

# Arcs in the XZ and YZ planes are their straight XY projection.
f=$c/linuxcnc_tort_arcs_g17_g18_g19.ngc
check tort "$f" dxf "" "" "DXF OK audit:errors=0 entities=194 bbox=(-29.3115,-29.7012)-(48.2466,49.9247)"
check tort "$f" gerber "--rs274x" "" "GERBER OK critical=0 warnings=0 draws=194 arcs=58"
check tort "$f" hpgl "" "" "HPGL OK commands=660 range_mm=(-29.308,-29.64)-(48.252,49.925)"

# Drilling only: the holes after the G81 line are holes of the cycle; flashes of
# 0.1 mm and pen-up moves draw (almost) nothing visible. An empty line names no
# layer: the holes stay on the section line before it.
f=$c/pcb2gcode_D1MiniGSR_drill_g81.ngc
check drill "$f" dxf "" "" \
  "DXF OK entities=20 layers[G04 P1.00000:POINT=20] bbox=(1.2,1)-(24.06,18.78)"
check drill "$f" iges "$stamp" "--strict" \
  "IGES OK loaded=20 types[116:20] unit=2(MM bbox_file=(1.2,1)-(24.06,18.78)"
check drill "$f" gerber "--rs274x" "--allow-empty" \
  "GERBER OK critical=0 warnings=0 draws=0 flashes=20 bbox_mm=(1.2,1)-(24.06,18.78)"
check drill "$f" hpgl "" "--allow-empty" "HPGL OK commands=85 ignored=0"

# Holes milled as full circles with helical Z steps.
f=$c/pcb2gcode_milldrill_g2_full_circles.ngc
check milldrill "$f" dxf "" "" "DXF OK entities=40 layers[G04 P1.00000:CIRCLE=40] bbox=(129.66,-100.66)-(130.66,-89.9)"
check milldrill "$f" hpgl "" "" "HPGL OK commands=239 range_mm=(129.666,-100.615)-(130.65,-90)"

# G-code made from every drawing of the DXF corpus by our own import: each export
# must be read cleanly, with as many entities, draws and commands as we wrote.
for dxf in "$shared"/corpus/dxf/*.dxf; do
  name=$(basename "$dxf" .dxf)
  gcode=$tmp/$name.nc
  if ! "$convert" dxf2gcode "$dxf" -o "$gcode" 2> "$tmp/err"; then
    fail=$((fail + 1)); echo "FAIL $name: dxf2gcode: $(head -c 300 "$tmp/err")"; continue
  fi
  # The layer "SLD-0" of the gear reads as drawing code D0, which stops the HPGL
  # export without output.
  hpgl_want="HPGL OK ignored=0 unexpected=0"
  [ "$name" = langmuir_Gear_r12_closed_polyline_bulge ] && hpgl_want="exit=1"
  check "$name" "$gcode" dxf "" "" "DXF OK audit:errors=0"
  check "$name" "$gcode" iges "$stamp --caption drawing" "--strict" \
    "IGES OK global_F=0 entity_F=0 unit=2(MM"
  # 0.1 mm apertures vanish in gerbv's 200 dpi image of a large drawing; the draws
  # are still counted against ours.
  check "$name" "$gcode" gerber "--rs274x" "--allow-empty" "GERBER OK critical=0"
  check "$name" "$gcode" hpgl "" "" "$hpgl_want"
done

echo "$pass passed, $fail failed, $skip skipped"
[ "$fail" -eq 0 ] || exit 1
[ "$pass" -gt 0 ] || exit 77
exit 0
