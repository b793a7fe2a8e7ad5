#!/usr/bin/env bash
# Installs the build into a scratch root the way `cmake --install` does for a user, then
# checks what the desktop will find there: both programs, the menu entry, the
# software-centre description, the icon at every size, the manual pages. Debian's own
# validators judge the menu entry and the description.
#
#   installed-files.sh BUILD_DIR PROJECT_VERSION
# shellcheck source=tests/packaging/common.sh
source "$(dirname "$0")/common.sh"
build=$1
version=$2

DESTDIR="$scratch" cmake --install "$build" --prefix /usr >/dev/null
usr=$scratch/usr
desktop=$usr/share/applications/$app_id.desktop
metainfo=$usr/share/metainfo/$app_id.metainfo.xml

for program in fiche-produit fiche-catalogue; do
    [ -x "$usr/bin/$program" ] || fail "$program is not installed in bin"
done

# desktop-file-validate exits 0 on warnings and hints; the entry is to have none.
[ -f "$desktop" ] || fail "no desktop entry $app_id.desktop"
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"

[ -f "$metainfo" ] || fail "no metainfo $app_id.metainfo.xml"
report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli: $report"
if grep -Eq '^[EW]:' <<<"$report"; then fail "appstreamcli: $report"; fi

# What the menu runs and shows must be what was installed.
entry() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(entry Name)" = "Fiche Produit" ] || fail "menu name is '$(entry Name)'"
grep -qx 'Office;' <<<"$(entry Categories)" || fail "categories are '$(entry Categories)'"
exec_program=$(entry Exec | cut -d' ' -f1)
[ -x "$usr/bin/$exec_program" ] || fail "the entry runs '$exec_program', which is not installed"
[ "$(entry Icon)" = "$app_id" ] || fail "the entry shows icon '$(entry Icon)'"

hicolor=$usr/share/icons/hicolor
for size in 16 24 32 48 64 128 256; do
    png=$hicolor/${size}x${size}/apps/$app_id.png
    [ -f "$png" ] || fail "no ${size}px icon"
    [ "$(png_size "$png")" = "${size}x${size}" ] || fail "the ${size}px icon is $(png_size "$png")"
done
grep -q '<svg' "$hicolor/scalable/apps/$app_id.svg" || fail "no scalable icon"

# The description names the entry it launches and the version being installed.
grep -q "<id>$app_id</id>" "$metainfo" || fail "metainfo id differs from the desktop entry"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "metainfo does not launch $app_id.desktop"
latest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n1 | cut -d'"' -f2)
[ "$latest" = "$version" ] || fail "latest release in metainfo is $latest, the project is $version"

# Manual pages: present, and formatted by man without a single groff warning.
for program in fiche-produit fiche-catalogue; do
    page=$usr/share/man/man1/$program.1.gz
    [ -f "$page" ] || fail "no manual page for $program"
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man $program: $warnings"
    zcat "$page" | grep -q "Fiche Produit $version" || fail "man $program does not carry version $version"
done

[ -f "$usr/share/doc/fiche-produit/copyright" ] || fail "no copyright file"
echo "installed files: all present and valid"
