#!/usr/bin/env bash
# Reads every drill file of the corpus with `talmir-convert holes --guess` (the
# options guessed from the file alone) and compares the holes with gerbv's reading
# of the same file: the count, and the bounding box within 0.01 mm.
#
#   validate_drill.sh TALMIR_CONVERT REPO_DIR
#
# gerbv reads the left-aligned numbers of LZ files whose trailing zeros are
# suppressed (X03185 in 2:4 is 3.1850 inch) as right-aligned once they are shorter
# than the format, so for those files only the count and the corner made of
# full-length numbers are its; the other corner is checked against the value the
# header and the numbers give. Exits 77 (skipped) when ../shared or gerbv is missing.
set -u
convert=$1
repo=$2
shared=${TALMIR_SHARED:-$repo/../shared}
corpus=$shared/corpus/excellon
if [ ! -d "$corpus" ] || ! command -v gerbv > /dev/null; then
  echo "SKIP: no drill corpus at $corpus or no gerbv"
  exit 77
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
pass=0 fail=0

# The count and bounding box of the X/Y lines of a hole-data text.
holes_box() {
  awk -F'[XY]' '/^X/ { n++; x = $2 + 0; y = $3 + 0;
      if (n == 1 || x < x0) x0 = x; if (n == 1 || x > x1) x1 = x;
      if (n == 1 || y < y0) y0 = y; if (n == 1 || y > y1) y1 = y }
    END { printf "%d %.4f %.4f %.4f %.4f\n", n, x0, y0, x1, y1 }' "$1"
}

# close A B: within 0.01 mm.
close() { awk -v a="$1" -v b="$2" 'BEGIN { d = a - b; exit !(d < 0.01 && d > -0.01) }'; }

for file in "$corpus"/*; do
  name=$(basename "$file")
  # Rejected by gerbv, not a drill file in ASCII.
  [ "$name" = protel_SE_SG_IF_V2_binary_leader.DRL ] && continue
  if ! "$convert" holes --guess "$file" -o "$tmp/holes" 2> "$tmp/err"; then
    fail=$((fail + 1)); echo "FAIL $name: $(cat "$tmp/err")"; continue
  fi
  read -r n x0 y0 x1 y1 < <(holes_box "$tmp/holes")
  summary=$(bash "$shared/tools/validate_gerber.sh" "$file" 2> /dev/null | tail -1)
  flashes=$(sed -n 's/.*flashes=\([0-9]*\).*/\1/p' <<< "$summary")
  IFS=',' read -r gx0 gy0 gx1 gy1 < <(sed -n 's/.*bbox_mm=(\([^)]*\))-(\([^)]*\)).*/\1,\2/p' <<< "$summary")
  case "$name" in
    # Lower-left corner of short numbers: the header's LZ reading.
    altium_pic18f14k50_inch_lz.txt) gx0=55.9003; gy0=71.0006 ;;
    protel_SE_SG_IF_V2_inch_lz_2-3.TXT) gx0=0.889; gy0=2.8448; gx1=101.346 ;;
  esac
  ok=1
  [ "$n" = "$flashes" ] || ok=0
  for pair in "$x0 $gx0" "$y0 $gy0" "$x1 $gx1" "$y1 $gy1"; do
    # shellcheck disable=SC2086
    close $pair || ok=0
  done
  if [ "$ok" = 1 ]; then pass=$((pass + 1)); else
    fail=$((fail + 1))
    echo "FAIL $name: ours $n ($x0,$y0)-($x1,$y1), gerbv $flashes ($gx0,$gy0)-($gx1,$gy1)"
    head -1 "$tmp/err"
  fi
done
echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
