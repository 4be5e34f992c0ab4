#!/usr/bin/env bash
# tools/check-includes against planted includes: each forbidden one must fail the
# check and name its file, each allowed one must pass. Usage: check_includes_test.sh ROOT
set -u
check=$1/tools/check-includes
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
pass=0
fail=0
# case FILE INCLUDE WANTED_EXIT
case_() {
  rm -rf "$tmp/src"
  mkdir -p "$tmp/src/$(dirname "$1")"
  printf '#include %s\n' "$2" > "$tmp/src/$1"
  python3 "$check" "$tmp" > "$tmp/out" 2>&1
  local got=$?
  if [ "$got" -ne "$3" ] || { [ "$3" -eq 1 ] && ! grep -q "src/$1:1:" "$tmp/out"; }; then
    fail=$((fail + 1)); echo "FAIL $1 with $2: exit $got, wanted $3"; cat "$tmp/out"
  else
    pass=$((pass + 1))
  fi
}
case_ core/text/A.cpp '<QString>' 1
case_ core/text/A.cpp '"gui/base/TextPane.h"' 1
case_ core/graphic/A.cpp '"render/QPainterCanvas.h"' 1
case_ core/import/A.cpp '"core/export/GcodeToDxf.h"' 1
case_ core/export/A.cpp '"core/import/DxfToGcode.h"' 1
case_ cli/CmdX.cpp '"gui/windows/GFrm.h"' 1
case_ cli/main.cpp '"main/Something.h"' 1
case_ render/A.cpp '"gui/base/Dialogs.h"' 1
case_ gui/base/A.cpp '"gui/windows/EditFrm.h"' 1
case_ gui/base/A.cpp '"gui/graphic/CvGrph.h"' 1
case_ gui/windows/A.cpp '"gui/export/GB_FMT.h"' 1
case_ gui/windows/A.cpp '"gui/graphic/MDIMarlit.h"' 1
case_ gui/import/A.cpp '"gui/export/DxfOutFrm.h"' 1
case_ gui/export/A.cpp '"gui/import/GAI_FMT.h"' 1
case_ core/import/A.cpp '"core/text/Lines.h"' 0
case_ core/import/A.cpp '<string_view>' 0
case_ render/A.cpp '<QPainter>' 0
case_ cli/CmdX.cpp '"render/QPainterCanvas.h"' 0
case_ gui/windows/A.cpp '"gui/base/TextPane.h"' 0
case_ gui/graphic/A.cpp '"gui/windows/ProgramWindow.h"' 0
case_ gui/export/A.cpp '"core/export/GcodeToDxf.h"' 0
case_ main/main.cpp '"gui/windows/EditFrm.h"' 0
case_ gui/graphic/A.cpp '"CvGrph.moc"' 0
# The checkout itself.
python3 "$check" "$1" > "$tmp/out" 2>&1 && pass=$((pass + 1)) || { fail=$((fail + 1)); cat "$tmp/out"; }
echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
