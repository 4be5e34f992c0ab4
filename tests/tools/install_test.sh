#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs it from there:
# talmir-convert --help and a conversion, the manual pages, the desktop entry
# (desktop-file-validate when it is there), and the window offscreen, which
# must keep its work files in the per-user data folder, never under the prefix.
#
#   install_test.sh BUILD_DIR
set -u
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
fail=0
check() {  # check NAME COMMAND...
  local name=$1
  shift
  if "$@" > "$tmp/out" 2>&1; then echo "ok   $name"; else
    echo "FAIL $name"; head -c 600 "$tmp/out"; fail=1
  fi
}

check "cmake --install" cmake --install "$build" --prefix "$prefix"
check "talmir-convert --help" "$prefix/bin/talmir-convert" --help
printf '(CUT)\r\nG00X0Y0\r\nG01X10.Y0F100\r\n' > "$tmp/p.nc"
check "talmir-convert measure" "$prefix/bin/talmir-convert" measure "$tmp/p.nc"
check "man page of talmir-convert" bash -c "zcat '$prefix/share/man/man1/talmir-convert.1.gz' | grep -q '^.TH TALMIR'"
check "copyright and changelog" test -f "$prefix/share/doc/talmir/copyright" -a -f "$prefix/share/doc/talmir/changelog.gz"
if [ -x "$prefix/bin/talmir" ]; then
  check "desktop entry" test -f "$prefix/share/applications/talmir.desktop"
  check "icon and file types" test -f "$prefix/share/icons/hicolor/scalable/apps/talmir.svg" -a -f "$prefix/share/mime/packages/talmir.xml"
  if command -v desktop-file-validate > /dev/null; then
    check "desktop-file-validate" desktop-file-validate "$prefix/share/applications/talmir.desktop"
  fi
  before=$(find "$prefix" | sort)
  mkdir -p "$tmp/home"
  check "the window from the prefix" env HOME="$tmp/home" XDG_DATA_HOME="$tmp/home/data" \
    XDG_CONFIG_HOME="$tmp/home/config" QT_QPA_PLATFORM=offscreen \
    "$prefix/bin/talmir" --measure-open "$tmp/p.nc"
  after=$(find "$prefix" | sort)
  check "nothing written under the prefix" test "$before" = "$after"
  check "work files in the per-user folder" test -d "$tmp/home/data"
fi
exit $fail
