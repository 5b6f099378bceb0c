#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that exactly the expected files arrive,
# and that each is sound: the programs run, the launcher validates, the icons are PNGs of their
# size and an SVG in the board's colours, the manual pages format without a warning.
#   install_test.sh BUILD_DIR WITH_GUI(0|1) WITH_WINDOW_PROGRAM(0|1) VERSION
set -euo pipefail
build=$1 gui=$2 window=$3 version=$4
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

sizes=(16 32 48 64 128 256)
expected=(bin/torvel-cli share/man/man6/torvel-cli.6.gz)
if ((gui)); then
    expected+=(share/applications/torvel.desktop share/icons/hicolor/scalable/apps/torvel.svg
               share/man/man6/torvel.6.gz)
    for size in "${sizes[@]}"; do
        expected+=("share/icons/hicolor/${size}x${size}/apps/torvel.png")
    done
fi
if ((window)); then
    expected+=(bin/torvel)
fi
diff -u <(printf '%s\n' "${expected[@]}" | sort) \
        <(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort) ||
    fail "the installed files differ from the expected list (- expected, + installed)"

[[ $("$prefix/bin/torvel-cli" --version) == "torvel-cli $version" ]] || fail "torvel-cli --version"
# The installed program plays: a line of input, then the end of the input.
out=$(cd "$prefix" && printf '3 7\n' | "$prefix/bin/torvel-cli" play --no-base) ||
    fail "torvel-cli play exited with $?"
grep -qx 'The computer is thinking.' <<<"$out" || fail "no computer move in: $out"
if ((window)); then
    [[ -x $prefix/bin/torvel ]] || fail "bin/torvel is not executable"
fi

for page in "$prefix"/share/man/man6/*.6.gz; do
    gzip -t "$page" || fail "$page is not gzip"
    warnings=$(zcat "$page" | groff -man -Tutf8 -ww -z 2>&1) || fail "groff failed on $page"
    [[ -z $warnings ]] || fail "$page: $warnings"
    name=$(basename "$page" .6.gz)
    zcat "$page" | grep -q "^\.TH ${name^^} 6 " || fail "$page has no .TH line for $name"
done

if ((gui)); then
    desktop=$prefix/share/applications/torvel.desktop
    desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
    for line in 'Name=Torvel' 'Exec=torvel' 'Icon=torvel' 'Categories=Game;BoardGame;' \
                'Type=Application'; do
        grep -qxF "$line" "$desktop" || fail "$desktop lacks $line"
    done
    [[ $(grep -c '^Comment=' "$desktop") == 1 ]] || fail "$desktop needs one Comment"
    for size in "${sizes[@]}"; do
        png=$prefix/share/icons/hicolor/${size}x${size}/apps/torvel.png
        file -b "$png" | grep -q "^PNG image data, $size x $size, 8-bit/color RGBA" ||
            fail "$png: $(file -b "$png")"
    done
    svg=$prefix/share/icons/hicolor/scalable/apps/torvel.svg
    file -b "$svg" | grep -q 'SVG' || fail "$svg: $(file -b "$svg")"
    for colour in 'rgb(128,128,128)' 'rgb(192,0,0)' 'rgb(255,255,0)'; do
        grep -qF "$colour" "$svg" || fail "$svg lacks the board's $colour"
    done
fi
echo "install: ${#expected[@]} files, all sound"
