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

# The G-code corpus. Lower-case words and programs without G00..G03/G81 have
# nothing to export.
f=$c/linuxcnc_comp311_lowercase_arcs.ngc
check comp311 "$f" dxf "" "" "exit=1"
check comp311 "$f" iges "$stamp" "--strict --allow-empty" "IGES OK loaded=0 unit=2(MM"
check comp311 "$f" gerber "--rs274x" "" "exit=1"
check comp311 "$f" hpgl "" "" "exit=1"

f=$c/linuxcnc_gmoccapy_cutter_comp_arcs.ngc
check gmoccapy "$f" dxf "" "" "exit=1"
check gmoccapy "$f" gerber "--rs274x" "" "exit=1"
check gmoccapy "$f" hpgl "" "" "HPGL OK commands=83 range_mm=(-2.318,-9.999)-(70,70)"

f=$c/linuxcnc_mmount_g81_g83_macros.ngc
check mmount "$f" dxf "" "" "DXF OK audit:errors=0 entities=101 bbox=(-3.75,-11.571)-(2.4047,2.75)"
check mmount "$f" iges "$stamp" "--strict" \
  "IGES OK loaded=101 types[100:60,110:36,116:5] global_F=0 entity_F=0 unit=2(MM bbox_file=(-3.75,-11.5709)-(2.4046,2.75)"
check mmount "$f" gerber "--rs274x" "" \
  "GERBER OK critical=0 warnings=0 apertures=129 draws=96 arcs=60 flashes=5 bbox_mm=(-3.75,-11.467)-(2.405,2.75)"
check mmount "$f" gerber "" "--wrap 3" "GERBER-WRAPPED OK draws=96 arcs=60 flashes=5"
check mmount "$f" hpgl "" "" "HPGL OK commands=553 ignored=0 range_mm=(-3.75,-11.475)-(2.4,2.75)"

f=$c/linuxcnc_plasmatest_cam_post_crlf.ngc
check plasmatest "$f" dxf "" "" "DXF OK audit:errors=0 entities=239 bbox=(-0.2778,0)-(593.8979,310.75)"
check plasmatest "$f" iges "$stamp" "--strict" \
  "IGES OK loaded=239 types[100:129,110:110] global_F=0 entity_F=0 unit=2(MM bbox_file=(-0.2778,-1.2349)-(593.8978,328.4485)"
check plasmatest "$f" gerber "--rs274x --unit 0" "" \
  "GERBER OK critical=0 warnings=0 apertures=152 draws=239 arcs=129 flashes=0 bbox_mm=(0,0)-(593.7432,310.75)"
check plasmatest "$f" gerber "--unit 2" "--wrap 3" "GERBER-WRAPPED OK draws=239 arcs=129"
check plasmatest "$f" hpgl "" "" "HPGL OK commands=775 ignored=0 range_pu=(-11.149,0)-(23755.8,12430)"

# More than 256 distinct section lines: the table is full.
f=$c/linuxcnc_tort_arcs_g17_g18_g19.ngc
check tort "$f" dxf "" "" "exit=1"
check tort "$f" gerber "" "" "exit=1"
check tort "$f" hpgl "" "" "HPGL OK commands=541 range_mm=(-26.15,-18.3)-(40.825,48.975)"

# Drilling only: flashes of 0.1 mm and pen-up moves draw (almost) nothing visible.
f=$c/pcb2gcode_D1MiniGSR_drill_g81.ngc
# An empty line names no layer: the holes stay on the section line before it.
check drill "$f" dxf "" "" \
  "DXF OK entities=2 layers[G04 P1.00000:POINT=2] bbox=(1.2,1)-(12.555,10.945)"
check drill "$f" iges "$stamp" "--strict" \
  "IGES OK loaded=2 types[116:2] unit=2(MM bbox_file=(1.2,1)-(12.555,10.945)"
check drill "$f" gerber "--rs274x" "--allow-empty" \
  "GERBER OK critical=0 warnings=0 draws=0 flashes=2 bbox_mm=(1.2,1)-(12.555,10.945)"
check drill "$f" hpgl "" "--allow-empty" "HPGL OK commands=49 ignored=0"

f=$c/pcb2gcode_milldrill_g2_full_circles.ngc
check milldrill "$f" dxf "" "" "DXF OK entities=1 bbox=(0,0)-(0,0)"
check milldrill "$f" hpgl "" "" "HPGL OK commands=266 range_mm=(0.103,-100.615)-(130.65,0)"

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
