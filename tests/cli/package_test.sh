#!/usr/bin/env bash
# Installs the build into a fresh prefix and builds the Debian package; both must hold exactly
# the expected files, the programs must run from the prefix, and the package must declare the
# libraries dpkg-shlibdeps finds, recommend the Wayland plugin, and pass lintian without errors.
#   package_test.sh BUILD_DIR WITH_WINDOW(0|1) VERSION
set -euo pipefail
build=$1 window=$2 version=$3
work=$(mktemp -d)
# Everything the tools make goes in here and goes with it (lintian leaves a cache file behind).
export TMPDIR=$work
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

expected=(bin/torvel-cli share/man/man6/torvel-cli.6.gz share/doc/torvel/copyright
          share/doc/torvel/changelog.gz share/lintian/overrides/torvel)
for lang in $(grep -v '^#' "$(dirname "$0")/../../po/LINGUAS"); do
    expected+=("share/locale/$lang/LC_MESSAGES/torvel.mo")
done
if ((window)); then
    expected+=(bin/torvel share/applications/torvel.desktop share/man/man6/torvel.6.gz
               share/icons/hicolor/scalable/apps/torvel.svg share/metainfo/org.example.torvel.metainfo.xml)
    for size in 16 32 48 64 128 256; do
        expected+=("share/icons/hicolor/${size}x${size}/apps/torvel.png")
    done
fi
cmake --install "$build" --prefix "$work/prefix" >/dev/null
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$work/prefix" && find . -type f | cut -c3- | sort) ||
    fail "installed files differ (< expected, > installed)"
[[ $("$work/prefix/bin/torvel-cli" --version) == "torvel-cli $version" ]] || fail "torvel-cli --version"
[[ $(LANG=C.UTF-8 LANGUAGE=de "$work/prefix/bin/torvel-cli" 2>&1) == Aufruf* ]] || fail "no German"
if ((window)); then
    [[ $("$work/prefix/bin/torvel" --version) == "torvel $version" ]] || fail "torvel --version"
    out=$(desktop-file-validate "$work/prefix/share/applications/torvel.desktop" 2>&1) && [[ -z $out ]] ||
        fail "desktop-file-validate: $out"
    out=$(appstreamcli validate-tree --no-net "$work/prefix" 2>&1) || fail "appstreamcli: $out"
fi
for page in "$work"/prefix/share/man/man6/*; do
    [[ -z $(zcat "$page" | groff -man -Tutf8 -ww -z 2>&1) ]] || fail "$page has groff warnings"
done

cpack --config "$build/CPackConfig.cmake" -B "$work/deb" >/dev/null || fail "cpack failed"
deb=$work/deb/torvel_${version}_$(dpkg --print-architecture).deb
diff <(printf 'usr/%s\n' "${expected[@]}" | sort) \
     <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print substr($6, 3) }' | sort) ||
    fail "packaged files differ (< expected, > packaged)"
depends=$(dpkg-deb -f "$deb" Depends)
needed=(libc6 libstdc++6)
((window)) && needed+=(libqt6widgets6 qt6-qpa-plugins)
names=$(tr ',' '\n' <<<"$depends" | sed 's/(.*//; s/ //g')
for name in "${needed[@]}"; do
    grep -qxF "$name" <<<"$names" || fail "Depends lacks $name: $depends"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
((!window)) || [[ $recommends == *qt6-wayland*qt6-translations-l10n*fonts-wqy-microhei* ]] || fail "Recommends: $recommends"
lint=$(lintian --fail-on error "$deb" 2>&1) || fail "lintian: $lint"
lint=$(grep -v 'root privileges' <<<"$lint") || true
echo "installed and packaged ${#expected[@]} files; Depends: $depends; Recommends: $recommends"
[[ -z $lint ]] || echo "lintian: $lint"
