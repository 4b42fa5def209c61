#!/usr/bin/env bash
# Builds the Debian package with cpack from a built tree, unpacks it and runs the packaged
# zentrax-stats --help; checks the declared dependencies and, with the editor in the package,
# its desktop entry and icon.
# Usage: deb_check.sh BUILD_DIR/CPackConfig.cmake
set -euo pipefail
config=$1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*"
  exit 1
}

if ! cpack --config "$config" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  fail "cpack could not build the package"
fi
debs=("$work"/out/*.deb)
[ -f "${debs[0]}" ] || fail "cpack made no .deb"
deb=${debs[0]}
echo "package: $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
[[ $depends == *libc6* && $depends == *libstdc++6* ]] || fail "the C and C++ run-time libraries are not declared"

dpkg-deb -x "$deb" "$work/root"
stats="$work/root/usr/bin/zentrax-stats"
[ -x "$stats" ] || fail "usr/bin/zentrax-stats is missing"
"$stats" --help >"$work/help" 2>&1 || fail "zentrax-stats --help exited with $?: $(cat "$work/help")"
grep -q 'zentrax-stats' "$work/help" || fail "zentrax-stats --help does not name the program"

if [ -e "$work/root/usr/bin/zentrax-editor" ]; then
  [[ $depends == *libqt6widgets6* ]] || fail "Qt Widgets is not declared"
  [[ $depends == *qt6-qpa-plugins* ]] || fail "Qt's platform plugins are not declared"
  entry="$work/root/usr/share/applications/zentrax-editor.desktop"
  [ -f "$entry" ] || fail "the desktop entry is missing"
  desktop-file-validate "$entry" || fail "the installed desktop entry does not validate"
  [ -f "$work/root/usr/share/icons/hicolor/scalable/apps/zentrax-editor.svg" ] ||
    fail "the icon is missing"
fi
echo "ok"
