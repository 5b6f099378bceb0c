#!/usr/bin/env bash
# po/torvel.pot holds every text the sources, the launcher and the AppStream file mark, and each
# language of po/LINGUAS translates every one of them: none left out, none fuzzy.
#   catalogue_test.sh SOURCE_DIR VERSION
set -euo pipefail
src=$1
fresh=$(mktemp --suffix=.pot)
trap 'rm -f "$fresh"' EXIT
cmake -DSOURCE_DIR="$src" -DVERSION="$2" -DOUTPUT="$fresh" -P "$src/po/extract.cmake"
msgcmp --use-untranslated "$src/po/torvel.pot" "$fresh"
for lang in $(grep -v '^#' "$src/po/LINGUAS"); do
    msgcmp "$src/po/$lang.po" "$fresh"
done
