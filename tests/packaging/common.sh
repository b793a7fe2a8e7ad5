# shellcheck shell=bash
# Shared by the packaging checks: stop at the first fault, say what it is, and work in a
# scratch folder removed on exit.
set -euo pipefail

# shellcheck disable=SC2034  # read by the scripts that source this file
app_id=fr.ficheproduit.FicheProduit

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The width and height of a PNG, from its IHDR chunk (bytes 16 to 23, big-endian).
png_size() {
    od -An -tu1 -j16 -N8 "$1" |
        awk '{ printf "%dx%d\n", $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }'
}
