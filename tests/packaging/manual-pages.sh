#!/usr/bin/env bash
# The manual pages must follow the programs: every command fiche-catalogue --help lists,
# and every option fiche-produit --help lists, is documented in its page, and the pages
# document nothing the programs no longer have.
#
#   manual-pages.sh FICHE_PRODUIT FICHE_CATALOGUE FICHE_PRODUIT_PAGE FICHE_CATALOGUE_PAGE
# shellcheck source=tests/packaging/common.sh
source "$(dirname "$0")/common.sh"
produit=$1
catalogue=$2
produit_page=$3
catalogue_page=$4

# Each command heads a tagged paragraph: ".TP" then "\fBname\fR ...".
listed_commands=$("$catalogue" --help | sed -n 's/^  fiche-catalogue \([a-z][a-z-]*\).*/\1/p' | sort -u)
documented_commands=$(sed -n '/^\.TP$/{n;s/^\\fB\([a-z][a-z-]*\)\\fR.*/\1/p}' "$catalogue_page" | sort -u)
[ -n "$listed_commands" ] || fail "fiche-catalogue --help lists no command"
[ "$listed_commands" = "$documented_commands" ] ||
    fail "fiche-catalogue commands: --help lists [${listed_commands//$'\n'/ }], the page documents [${documented_commands//$'\n'/ }]"

# Long options as the page writes them for groff (\-\-name) and as --help prints them.
listed_options=$("$produit" --help | grep -o -- '--[a-z][a-z-]*' | sort -u)
documented_options=$(grep -o -- '\\-\\-[a-z][a-z\\-]*' "$produit_page" | sed 's/\\//g' | sort -u)
[ "$listed_options" = "$documented_options" ] ||
    fail "fiche-produit options: --help lists [${listed_options//$'\n'/ }], the page documents [${documented_options//$'\n'/ }]"
echo "manual pages: commands [${listed_commands//$'\n'/ }], options [${listed_options//$'\n'/ }]"
