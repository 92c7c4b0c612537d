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

# ---- the Debian package, built both ways where the tools exist: debian/
# with dpkg-buildpackage, and CPack (scripts/package.sh). Each way is a
# Release build of the programs alone; when both tools are there, CPack
# packages the debhelper way's build (the same compile), so the check costs
# one build. Then: the same files, the same fields, lintian clean, the
# translated desktop texts, and an upgrade in a temporary root.
have() { command -v "$1" >/dev/null 2>&1; }
if ! have dpkg-deb || ! have dpkg-buildflags || ! have dpkg-parsechangelog; then
  echo "== the Debian package: skipped (dpkg-deb, dpkg-buildflags or dpkg-parsechangelog missing; scripts/deps.sh installs them)"
  echo "check-install: passed"
  exit 0
fi
version="$(dpkg-parsechangelog -l "$src/debian/changelog" -SVersion)"
export SOURCE_DATE_EPOCH="$(dpkg-parsechangelog -l "$src/debian/changelog" -STimestamp)"
work="$(mktemp -d)"
trap 'rm -rf "$prefix" "$work"' EXIT
debs=()
if have dpkg-buildpackage && have dh; then
  echo "== scripts/package.sh --debhelper"
  started=$SECONDS
  out="${TAVO_DEB_BUILD:-$src/build-deb}"
  # The build's talk into a log: its last lines, or on failure more of it.
  if ! deb_dh="$(TAVO_KEEP_TREE=1 "$src/scripts/package.sh" --debhelper "$out" 2>"$work/dpkg-buildpackage.log" | tail -n 1)" \
      || [ ! -f "$deb_dh" ]; then
    tail -n 60 "$work/dpkg-buildpackage.log" >&2
    fail "dpkg-buildpackage made no package"
  fi
  tail -n 4 "$work/dpkg-buildpackage.log" | sed 's/^/   | /'
  echo "   $deb_dh ($((SECONDS - started)) s)"
  debs+=("$deb_dh")
  echo "== CPack on the same build"
  tree="$(dirname "$deb_dh")/tavocps-$version"
  obj="$(find "$tree" -maxdepth 1 -type d -name 'obj-*' | head -n 1)"
  [ -d "$obj" ] || fail "the debhelper build left no build folder in $tree"
  cmake -S "$tree" -B "$obj" -DTAVO_COMPRESS_MAN_PAGES=ON -DTAVO_INSTALL_PACKAGE_DOCS=ON >/dev/null
  cmake --build "$obj" >/dev/null
  deb_cpack="$obj/tavocps_${version}_$(dpkg --print-architecture).deb"
  rm -f "$deb_cpack"
  (cd "$obj" && cpack -G DEB >/dev/null 2>"$work/cpack.log") || { cat "$work/cpack.log" >&2; fail "CPack failed"; }
  [ -f "$deb_cpack" ] || fail "CPack made no package in $obj"
  mv "$deb_cpack" "$work/"
  deb_cpack="$work/$(basename "$deb_cpack")"
  rm -rf "$tree"
  debs+=("$deb_cpack")
else
  echo "== the debhelper package: skipped (dpkg-buildpackage or dh missing; apt-get install debhelper)"
  echo "== scripts/package.sh"
  started=$SECONDS
  deb_cpack="$("$src/scripts/package.sh" "${TAVO_PACKAGE_BUILD:-$src/build-package}" | tail -n 1)"
  echo "   $deb_cpack ($((SECONDS - started)) s)"
  [ -f "$deb_cpack" ] || fail "scripts/package.sh made no package"
  debs+=("$deb_cpack")
fi
deb="${debs[0]}"

# The paths a package holds, one a line, sorted; folders end in /.
# (The archive's root, which only dpkg-deb -b lists, left out.)
contents() {
  dpkg-deb -c "$1" | awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }' | sed 's|^\./|/|; s| -> .*||' \
    | grep -vx / | sort
}
for d in "${debs[@]}"; do
  echo "== the files and fields of $(basename "$d") ($([ "$d" = "${deb_dh:-}" ] && echo debhelper || echo CPack))"
  [ "$(dpkg-deb -f "$d" Package)" = tavocps ] || fail "the package is not called tavocps"
  [ "$(dpkg-deb -f "$d" Version)" = "$version" ] || fail "the package's version is not the changelog's $version"
  files="$(contents "$d")"
  for f in /usr/bin/tavocps /usr/bin/tavocps-cli /usr/bin/tavo-radio-sim \
           /usr/share/tavocps/profiletemplate/OUD11602.kp2 /usr/share/tavocps/profiletemplate/DataProfile.xsd \
           /usr/share/tavocps/lang/tavocps_de.qm /usr/share/tavocps/help/tavocps_en.qch \
           /usr/share/man/man1/tavocps.1.gz /usr/share/man/man1/tavocps-cli.1.gz /usr/share/man/man1/tavo-radio-sim.1.gz \
           /usr/share/man/de/man1/tavocps.1.gz /usr/share/man/fr/man1/tavocps.1.gz \
           /usr/share/man/de/man1/tavo-radio-sim.1.gz /usr/share/man/fr/man1/tavo-radio-sim.1.gz \
           /usr/share/man/de/man1/tavocps-cli.1.gz /usr/share/man/fr/man1/tavocps-cli.1.gz \
           /usr/share/bash-completion/completions/tavocps-cli \
           /usr/share/applications/com.vantrel.tavocps.desktop /usr/share/metainfo/com.vantrel.tavocps.metainfo.xml \
           /usr/share/mime/packages/com.vantrel.tavocps.xml /usr/share/icons/hicolor/48x48/apps/tavocps.png \
           /usr/share/icons/hicolor/scalable/apps/tavocps.svg /usr/lib/udev/rules.d/60-tavocps-cable.rules \
           /usr/share/tavocps/machine.ini /usr/share/doc/tavocps/copyright /usr/share/doc/tavocps/changelog.gz; do
    grep -qxF "$f" <<<"$files" || fail "$(basename "$d") lacks $f"
  done
  # Nothing of the build or the tests, nothing in /etc, /usr/etc or /usr/local.
  if grep -E '^/etc|^/usr/etc|^/usr/local|/(tests|bench)_|/fuzz_|tavo-mdman' <<<"$files"; then
    fail "$(basename "$d") holds the files above, which do not belong in it"
  fi
  for script in preinst postinst postrm; do
    dpkg-deb -I "$d" "$script" >/dev/null 2>&1 || fail "$(basename "$d") has no $script"
  done
  depends="$(dpkg-deb -f "$d" Depends)"
  for dep in libqt6widgets6 libc6 libxml2 liblua5.4 libqt6sql6-sqlite xdg-utils; do
    grep -q "\b$dep\b" <<<"$depends" || fail "Depends lacks $dep: $depends"
  done
  grep -q qt6-translations-l10n <<<"$(dpkg-deb -f "$d" Recommends)" || fail "Recommends lacks qt6-translations-l10n"
  dpkg-deb -f "$d" Description | grep -q "project page, $(dpkg-deb -f "$d" Homepage)" \
    || fail "the description does not name the project page $(dpkg-deb -f "$d" Homepage)"
done
if [ ${#debs[@]} = 2 ]; then
  echo "== the two packages hold the same files and fields"
  diff <(contents "${debs[0]}") <(contents "${debs[1]}") || fail "debhelper's package (<) and CPack's (>) differ in the files above"
  for field in Package Version Architecture Section Priority Homepage Maintainer Recommends Description; do
    [ "$(dpkg-deb -f "${debs[0]}" "$field")" = "$(dpkg-deb -f "${debs[1]}" "$field")" ] \
      || fail "the field $field differs: $(dpkg-deb -f "${debs[0]}" "$field") / $(dpkg-deb -f "${debs[1]}" "$field")"
  done
  # The same dependencies, in whatever order each tool writes them.
  sorted_depends() { dpkg-deb -f "$1" Depends | tr ',' '\n' | sed 's/^ *//' | sort; }
  diff <(sorted_depends "${debs[0]}") <(sorted_depends "${debs[1]}") || fail "the two packages' Depends differ"
fi

echo "== the translated desktop texts"
unpacked="$work/unpacked"
dpkg-deb -x "$deb" "$unpacked"
launcher="$unpacked/usr/share/applications/com.vantrel.tavocps.desktop"
for key in 'Name[de]' 'Name[fr]' 'GenericName[de]' 'GenericName[fr]' 'Comment[de]' 'Comment[fr]' 'Keywords[de]' 'Keywords[fr]'; do
  grep -q "^$(sed 's/[][]/\\&/g' <<<"$key")=." "$launcher" || fail "the launcher has no $key"
done
desktop-file-validate "$launcher"
for lang in de fr; do
  grep -q "<comment xml:lang=\"$lang\">" "$unpacked/usr/share/mime/packages/com.vantrel.tavocps.xml" \
    || fail "the file type has no comment in $lang"
  grep -q "<summary xml:lang=\"$lang\">" "$unpacked/usr/share/metainfo/com.vantrel.tavocps.metainfo.xml" \
    || fail "the AppStream data have no summary in $lang"
  grep -q "<p xml:lang=\"$lang\">" "$unpacked/usr/share/metainfo/com.vantrel.tavocps.metainfo.xml" \
    || fail "the AppStream data have no description in $lang"
done
grep -q "<release version=\"$version\" date=\"$(date -u -d "@$SOURCE_DATE_EPOCH" +%F)\"" \
  "$unpacked/usr/share/metainfo/com.vantrel.tavocps.metainfo.xml" \
  || fail "the AppStream release list does not begin with $version of the changelog's date"
zcat "$unpacked/usr/share/man/man1/tavocps-cli.1.gz" | head -n 1 | grep -qF "Olvan Series CPS $version" \
  || fail "the manual page does not name version $version"

if have lintian; then
  for d in "${debs[@]}"; do
    echo "== lintian $(basename "$d")"
    # No error and no warning; the informational tags are printed too.
    lintian --info --display-info --fail-on error,warning "$d" || fail "lintian reports the tags above"
  done
else
  echo "== lintian: skipped (not installed; scripts/deps.sh installs it)"
fi

"$src/packaging/check-upgrade.sh" "$deb"
echo "check-install: passed"
