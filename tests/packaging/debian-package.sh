#!/usr/bin/env bash
# Builds the Debian package with CPack from a finished build, then reads it as dpkg would:
# its control data (name, version, architecture, dependencies), whether apt can install it,
# and its files, unpacked into a scratch root where both programs must run against the
# system's libraries alone.
#
#   debian-package.sh BUILD_DIR PROJECT_VERSION
# shellcheck source=tests/packaging/common.sh
source "$(dirname "$0")/common.sh"
build=$1
version=$2

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >/dev/null
arch=$(dpkg --print-architecture)
deb=$scratch/out/fiche-produit_${version}_$arch.deb
[ -f "$deb" ] || fail "cpack made no $(basename "$deb"): $(ls "$scratch/out")"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = fiche-produit ] || fail "package name is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "package version is '$(field Version)'"
[ "$(field Architecture)" = "$arch" ] || fail "package architecture is '$(field Architecture)'"

# The libraries the programs link, the SVG plugins that draw the icons, the fonts that
# stand in for Arial and Qt's French texts: without any of them the window is broken.
depends=$(field Depends)
dependency_names=$(tr ',|' '[\n*]' <<<"$depends" | sed 's/(.*)//; s/[[:space:]]//g' | sort -u)
for needed in libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libmdb3 fonts-liberation2 \
              qt6-translations-l10n; do
    grep -qx "$needed" <<<"$dependency_names" || fail "Depends lacks $needed: $depends"
done
# apt must be able to install it here, on Debian 12, as a user would: every dependency a
# real package in a version this release has.
if ! simulation=$(LC_ALL=C apt-get install --simulate --no-install-recommends "$deb" 2>&1); then
    fail "apt cannot install the package: $simulation"
fi
grep -q '^Inst fiche-produit ' <<<"$simulation" || fail "apt would not install fiche-produit: $simulation"

root=$scratch/root
dpkg-deb --extract "$deb" "$root"
for file in usr/bin/fiche-produit usr/bin/fiche-catalogue \
            usr/share/applications/$app_id.desktop usr/share/metainfo/$app_id.metainfo.xml \
            usr/share/icons/hicolor/48x48/apps/$app_id.png usr/share/icons/hicolor/scalable/apps/$app_id.svg \
            usr/share/man/man1/fiche-produit.1.gz usr/share/man/man1/fiche-catalogue.1.gz \
            usr/share/doc/fiche-produit/copyright; do
    [ -f "$root/$file" ] || fail "the package lacks /$file"
done
outside=$(dpkg-deb --contents "$deb" | awk '{ print $6 }' | grep -v '^\./usr/' | grep -v '^\./$' || true)
[ -z "$outside" ] || fail "the package installs outside /usr: $outside"

# The programs must not look for libraries in the build tree, and must run from the package.
for program in fiche-produit fiche-catalogue; do
    if readelf -d "$root/usr/bin/$program" | grep -Eq 'R(UN)?PATH'; then
        fail "$program keeps a library path: $(readelf -d "$root/usr/bin/$program" | grep -E 'R(UN)?PATH')"
    fi
done
"$root/usr/bin/fiche-catalogue" --help | grep -q 'fiche-catalogue create' ||
    fail "the packaged fiche-catalogue does not answer --help"
[ "$("$root/usr/bin/fiche-produit" --version | tr -d '\r')" = "Fiche Produit $version" ] ||
    fail "the packaged fiche-produit --version says '$("$root/usr/bin/fiche-produit" --version)'"
echo "debian package: $(basename "$deb"), Depends: $depends"
