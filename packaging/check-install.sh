#!/usr/bin/env bash
# Checks the installation of a build: validates the launcher and the
# AppStream metainfo, installs into a temporary prefix and runs the installed
# programs from there, with no environment telling them where they are.
#
#     packaging/check-install.sh BUILD_DIR
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:?usage: check-install.sh BUILD_DIR}" && pwd)"
fail() { echo "check-install: $*" >&2; exit 1; }

echo "== desktop-file-validate"
desktop-file-validate "$src/packaging/com.vantrel.tavocps.desktop"
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$src/packaging/com.vantrel.tavocps.metainfo.xml"

prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
echo "== cmake --install into $prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

machine="$prefix/etc/xdg/Vantrel/Tavo EMEA CPS.ini"
for f in bin/tavocps-cli bin/tavo-radio-sim \
         share/tavocps/profiletemplate/DataProfile.xsd share/tavocps/profiletemplate/DataProfile.lua \
         share/man/man1/tavocps-cli.1 share/man/man1/tavo-radio-sim.1 \
         share/mime/packages/com.vantrel.tavocps.xml lib/udev/rules.d/60-tavocps-cable.rules \
         share/icons/hicolor/scalable/apps/tavocps.svg share/icons/hicolor/48x48/apps/tavocps.png \
         share/icons/hicolor/scalable/mimetypes/application-x-tavocps-profile.svg \
         share/tavocps/lang/tavocps_de.qm share/tavocps/lang/tavocps_fr.qm \
         share/tavocps/help/tavocps_en.qch share/tavocps/help/tavocps_de.qch share/tavocps/help/tavocps_fr.qch; do
  [ -e "$prefix/$f" ] || fail "not installed: $f"
done
[ -e "$machine" ] || fail "not installed: the machine settings file $machine"
if [ -e "$build/bin/tavocps" ]; then
  for f in bin/tavocps share/applications/com.vantrel.tavocps.desktop \
           share/metainfo/com.vantrel.tavocps.metainfo.xml share/man/man1/tavocps.1; do
    [ -e "$prefix/$f" ] || fail "not installed: $f"
  done
fi

# The installed program alone: no variables but a path and a scratch home.
run() { env -i PATH=/usr/bin:/bin HOME="$prefix/home" ASAN_OPTIONS=detect_leaks=0 "$@"; }
echo "== the installed tavocps-cli validate on an installed template"
run "$prefix/bin/tavocps-cli" validate "$prefix/share/tavocps/profiletemplate/ZUD11602.kp2"

# The machine settings are the prefix's: moving the installation and naming
# the new folder there is enough for the program to find it.
mv "$prefix/share/tavocps" "$prefix/share/tavocps-moved"
sed -i "s|^InstallPath=.*|InstallPath=$prefix/share/tavocps-moved|" "$machine"
run "$prefix/bin/tavocps-cli" validate "$prefix/share/tavocps-moved/profiletemplate/OUR40822.kp2" \
  || fail "the installed program did not read $machine"

echo "== manual pages"
for page in "$prefix"/share/man/man1/*.1; do
  if command -v groff >/dev/null; then
    warnings="$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$page" 2>&1)"
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
  fi
done
# Every command of tavocps-cli has its entry in the manual.
commands="$(run "$prefix/bin/tavocps-cli" --help 2>&1 | awk '/^  [a-z]/ { print $1 }')"
[ -n "$commands" ] || fail "tavocps-cli --help lists no command"
for c in $commands; do
  grep -q "^\\\\fB${c//-/\\\\-}\\\\fR" "$prefix/share/man/man1/tavocps-cli.1" || fail "tavocps-cli.1 lacks the command $c"
done
echo "check-install: passed"
