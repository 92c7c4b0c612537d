#!/usr/bin/env bash
# Upgrades in a temporary root (dpkg --root, maintainer scripts run outside
# a chroot with DPKG_ROOT set), with the package PACKAGE.deb and two made
# from it:
#
#   1. a release as 0.1 was: an older default (DefaultLanguage=German) and a
#      postinst that copies machine.ini whole to /etc; an administrator then
#      edits that copy (a dealer text);
#   2. PACKAGE: the new default is read (the run speaks English) and the
#      administrator's edit is kept, alone, in /etc (the whole edited copy
#      beside it as .dpkg-old);
#   3. a later release with a newer default (a dealer text): read, and the
#      administrator's file is left as it was;
#   4. purge: nothing of it is left in /etc.
#
# What the program reads is seen through the installed tavocps-cli: the
# language of its texts and the dealer information of its report.
#
#     packaging/check-upgrade.sh PACKAGE.deb
set -euo pipefail
deb="$(readlink -f "${1:?usage: check-upgrade.sh PACKAGE.deb}")"
fail() { echo "check-upgrade: $*" >&2; exit 1; }
for tool in dpkg dpkg-deb; do
  command -v "$tool" >/dev/null || { echo "== the upgrade test: skipped ($tool missing)"; exit 0; }
done
echo "== the upgrade test in a temporary root"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
root="$work/root"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
# Nothing of the host's dpkg database or log is used; dependencies are not
# there to be had.
dpkg_root() {
  dpkg --root="$root" --admindir="$root/var/lib/dpkg" --log=/dev/null --force-not-root \
    --force-script-chrootless --force-depends --force-bad-path "$@" >"$work/dpkg.log" 2>&1 \
    || { cat "$work/dpkg.log" >&2; fail "dpkg $* failed"; }
}
version="$(dpkg-deb -f "$deb" Version)"
conf="$root/etc/xdg/Vantrel/Tavo EMEA CPS.ini"

# A package made from PACKAGE: version, a machine.ini edit (sed script), and
# optionally another postinst.
derive() {
  local name="$1" ver="$2" edit="$3" postinst="${4:-}"
  local dir="$work/$name"
  dpkg-deb -R "$deb" "$dir"
  sed -i "s/^Version: .*/Version: $ver/" "$dir/DEBIAN/control"
  sed -i "$edit" "$dir/usr/share/tavocps/machine.ini"
  if [ -n "$postinst" ]; then
    printf '%s\n' "$postinst" >"$dir/DEBIAN/postinst"
    rm -f "$dir/DEBIAN/preinst"
  fi
  (cd "$dir" && find usr -type f -exec md5sum {} + | sort -k 2 >DEBIAN/md5sums)
  dpkg-deb --root-owner-group -b "$dir" "$work/$name.deb" >/dev/null
  rm -rf "$dir"
}
derive old 0.1 's/^DefaultLanguage=.*/DefaultLanguage=German/' '#!/bin/sh
set -e
conf="$DPKG_ROOT/etc/xdg/Vantrel/Tavo EMEA CPS.ini"
if [ "$1" = configure ] && [ ! -e "$conf" ]; then
    mkdir -p "$DPKG_ROOT/etc/xdg/Vantrel"
    cp "$DPKG_ROOT/usr/share/tavocps/machine.ini" "$conf"
fi
exit 0'
derive newer "$version.1" 's/^English\\DealerInfoMiddle=.*/English\\DealerInfoMiddle="Telephone (new default)", "E-mail"/'

# The installed program as a user runs it, without a language of its own
# (the machine's default decides) and with a fresh home each time, reading
# the temporary root's /etc.
run_cli() {
  rm -rf "$work/home" "$work/runtime"
  mkdir -p "$work/home"
  mkdir -m 700 "$work/runtime"
  env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" LC_ALL=C ASAN_OPTIONS=detect_leaks=0 \
    XDG_CONFIG_DIRS="$root/etc/xdg" "$root/usr/bin/tavocps-cli" "$@"
}
# The handout's HTML is UTF-16; the texts looked for are ASCII.
report() { run_cli report handout "$root/usr/share/tavocps/profiletemplate/ZUD11602.kp2" - --format htm | tr -d '\0'; }
language_of_texts() {
  # A usage error's text, in the run's language.
  run_cli validate "$work/missing.kp2" 2>&1 || true
}

echo "   install 0.1 (older default, whole copy in /etc), an administrator edits it"
dpkg_root -i "$work/old.deb"
[ -f "$conf" ] || fail "the 0.1 package made no copy in /etc"
sed -i 's/^English\\DealerInfoLeft=.*/English\\DealerInfoLeft="Admin Radio Shop", "High Street 1"/' "$conf"
english="$(language_of_texts)"
echo "   0.1 speaks: $english"

echo "   upgrade to $version"
dpkg_root -i "$deb"
after="$(language_of_texts)"
echo "   $version speaks: $after"
[ "$after" != "$english" ] || fail "after the upgrade the program still reads the old default language"
grep -q '^DefaultLanguage' "$conf" && fail "the upgrade left the unedited DefaultLanguage in $conf"
grep -q 'Admin Radio Shop' "$conf" || fail "the upgrade lost the administrator's edit in $conf"
[ -f "$conf.dpkg-old" ] || fail "the upgrade kept no copy of the edited file"
html="$(report)"
grep -q 'Admin Radio Shop' <<<"$html" || fail "the program does not read the administrator's dealer text"
echo "   the administrator's dealer text is read, the new default language too"

echo "   upgrade to $version.1 (a newer default dealer text)"
cp "$conf" "$work/conf-before"
dpkg_root -i "$work/newer.deb"
cmp -s "$conf" "$work/conf-before" || fail "the upgrade to $version.1 changed $conf"
html="$(report)"
grep -q 'Telephone (new default)' <<<"$html" || fail "the program does not read the newer default"
grep -q 'Admin Radio Shop' <<<"$html" || fail "the administrator's dealer text is lost after the upgrade to $version.1"
echo "   the newer default is read, the administrator's value kept"

echo "   purge"
dpkg_root --purge tavocps
[ ! -e "$conf" ] && [ ! -e "$conf.dpkg-old" ] || fail "purging left $conf"
[ -z "$(find "$root/usr" -type f 2>/dev/null)" ] || fail "purging left files under /usr: $(find "$root/usr" -type f | head)"
echo "check-upgrade: passed"
