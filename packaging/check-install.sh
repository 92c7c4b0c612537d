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
appstreamcli validate --no-net "$build/packaging/com.vantrel.tavocps.metainfo.xml"

prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
echo "== cmake --install into $prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

machine="$prefix/etc/xdg/Vantrel/Tavo EMEA CPS.ini"
for f in bin/tavocps-cli bin/tavo-radio-sim \
         share/tavocps/profiletemplate/DataProfile.xsd share/tavocps/profiletemplate/DataProfile.lua share/tavocps/machine.ini \
         share/man/man1/tavocps-cli.1 share/man/man1/tavo-radio-sim.1 \
         share/bash-completion/completions/tavocps-cli \
         share/mime/packages/com.vantrel.tavocps.xml lib/udev/rules.d/60-tavocps-cable.rules \
         share/icons/hicolor/scalable/apps/tavocps.svg share/icons/hicolor/48x48/apps/tavocps.png \
         share/icons/hicolor/scalable/mimetypes/application-x-tavocps-profile.svg \
         share/tavocps/lang/tavocps_de.qm share/tavocps/lang/tavocps_fr.qm \
         share/tavocps/help/tavocps_en.qch share/tavocps/help/tavocps_de.qch share/tavocps/help/tavocps_fr.qch; do
  [ -e "$prefix/$f" ] || fail "not installed: $f"
done
[ ! -e "$prefix/etc" ] || fail "installed into etc: $(find "$prefix/etc" -type f)"
if [ -e "$build/bin/tavocps" ]; then
  for f in bin/tavocps share/applications/com.vantrel.tavocps.desktop \
           share/metainfo/com.vantrel.tavocps.metainfo.xml share/man/man1/tavocps.1; do
    [ -e "$prefix/$f" ] || fail "not installed: $f"
  done
fi

# /usr/bin holds a program called install (coreutils): the installed
# program must not take it for the installation beside it.
touch "$prefix/bin/install"
# The installed program alone: no variables but a path and a scratch home.
run() { env -i PATH=/usr/bin:/bin HOME="$prefix/home" ASAN_OPTIONS=detect_leaks=0 "$@"; }
echo "== the installed tavocps-cli validate on an installed template"
run "$prefix/bin/tavocps-cli" validate "$prefix/share/tavocps/profiletemplate/ZUD11602.kp2"

# An administrator's machine settings in the prefix's etc/xdg: moving the
# installation and naming the new folder there is enough for the program to
# find it (and the defaults it ships).
mv "$prefix/share/tavocps" "$prefix/share/tavocps-moved"
mkdir -p "$(dirname "$machine")"
printf '[General]\nInstallPath=%s\n' "$prefix/share/tavocps-moved" >"$machine"
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

# ---- the Debian package (scripts/package.sh): its files, its control
# fields and lintian. A Release build of the programs alone in its own
# folder (TAVO_PACKAGE_BUILD, default build-package/ of the sources).
if ! command -v dpkg-deb >/dev/null || ! command -v lintian >/dev/null || ! command -v dpkg-buildflags >/dev/null; then
  echo "== the Debian package: skipped (dpkg-deb, dpkg-buildflags or lintian missing; scripts/deps.sh installs them)"
  echo "check-install: passed"
  exit 0
fi
echo "== scripts/package.sh"
started=$SECONDS
deb="$("$src/scripts/package.sh" "${TAVO_PACKAGE_BUILD:-$src/build-package}" | tail -n 1)"
echo "   $deb ($((SECONDS - started)) s)"
[ -f "$deb" ] || fail "scripts/package.sh made no package"
[ "$(dpkg-deb -f "$deb" Package)" = tavocps ] || fail "the package is not called tavocps"

files="$(dpkg-deb -c "$deb" | awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }' | sed 's|^\./|/|; s| -> .*||')"
for f in /usr/bin/tavocps /usr/bin/tavocps-cli /usr/bin/tavo-radio-sim \
         /usr/share/tavocps/profiletemplate/OUD11602.kp2 /usr/share/tavocps/profiletemplate/DataProfile.xsd \
         /usr/share/tavocps/lang/tavocps_de.qm /usr/share/tavocps/help/tavocps_en.qch \
         /usr/share/man/man1/tavocps.1.gz /usr/share/man/man1/tavocps-cli.1.gz /usr/share/man/man1/tavo-radio-sim.1.gz \
         /usr/share/bash-completion/completions/tavocps-cli \
         /usr/share/applications/com.vantrel.tavocps.desktop /usr/share/metainfo/com.vantrel.tavocps.metainfo.xml \
         /usr/share/mime/packages/com.vantrel.tavocps.xml /usr/share/icons/hicolor/48x48/apps/tavocps.png \
         /usr/share/icons/hicolor/scalable/apps/tavocps.svg /usr/lib/udev/rules.d/60-tavocps-cable.rules \
         /usr/share/tavocps/machine.ini /usr/share/doc/tavocps/copyright /usr/share/doc/tavocps/changelog.gz; do
  grep -qxF "$f" <<<"$files" || fail "the package lacks $f"
done
# Nothing of the build or the tests, nothing in /etc, /usr/etc or /usr/local.
if grep -E '^/etc|^/usr/etc|^/usr/local|/(tests|bench)_|/fuzz_|tavo-mdman' <<<"$files"; then
  fail "the package holds the files above, which do not belong in it"
fi
depends="$(dpkg-deb -f "$deb" Depends)"
for d in libqt6widgets6 libc6 libxml2 liblua5.4 libqt6sql6-sqlite xdg-utils; do
  grep -q "\b$d\b" <<<"$depends" || fail "Depends lacks $d: $depends"
done
grep -q qt6-translations-l10n <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "Recommends lacks qt6-translations-l10n"

echo "== lintian $(basename "$deb")"
# No error and no warning; the informational tags are printed too.
lintian --info --display-info --fail-on error,warning "$deb" || fail "lintian reports the tags above"
echo "check-install: passed"
