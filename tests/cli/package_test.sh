#!/usr/bin/env bash
# Builds the Debian package with CPack and checks it with dpkg-deb: its name, version and
# architecture, the dependencies dpkg-shlibdeps declared, exactly the expected files with sound
# owners and modes. Then installs it into a private dpkg root, runs the installed torvel-cli,
# and removes it again, leaving nothing behind; and asks apt whether this Debian could install
# it with the dependencies it declares.
#   package_test.sh BUILD_DIR WITH_GUI(0|1) WITH_WINDOW_PROGRAM(0|1) VERSION
set -euo pipefail
build=$1 gui=$2 window=$3 version=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack failed"; }
arch=$(dpkg --print-architecture)
deb=$work/out/torvel_${version}_${arch}.deb
[[ -f $deb ]] || fail "no $deb; made: $(ls "$work/out")"

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == torvel ]] || fail "Package: $(field Package)"
[[ $(field Version) == "$version" ]] || fail "Version: $(field Version)"
[[ $(field Architecture) == "$arch" ]] || fail "Architecture: $(field Architecture)"
[[ $(field Section) == games ]] || fail "Section: $(field Section)"
[[ -n $(field Maintainer) && -n $(field Description) ]] || fail "no Maintainer or Description"

depends=$(field Depends)
names=$(tr ',' '\n' <<<"$depends" | sed 's/(.*//; s/|.*//; s/ //g' | sort -u)
needed=(libc6 libstdc++6 libgcc-s1)
if ((window)); then
    needed+=(libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins)
fi
for name in "${needed[@]}"; do
    grep -qx "$name" <<<"$names" || fail "Depends lacks $name: $depends"
done
# dpkg-shlibdeps, not a hand-written list, found the libraries: it gives libc6 the version of
# the newest symbol the programs use.
grep -Eq '(^|, )libc6 \(>= [0-9.]+\)' <<<"$depends" || fail "libc6 is not versioned: $depends"

expected=(usr/bin/torvel-cli usr/share/man/man6/torvel-cli.6.gz)
if ((gui)); then
    expected+=(usr/share/applications/torvel.desktop usr/share/icons/hicolor/scalable/apps/torvel.svg
               usr/share/man/man6/torvel.6.gz)
    for size in 16 32 48 64 128 256; do
        expected+=("usr/share/icons/hicolor/${size}x${size}/apps/torvel.png")
    done
fi
if ((window)); then
    expected+=(usr/bin/torvel)
fi
listing=$(dpkg-deb -c "$deb")
diff -u <(printf '%s\n' "${expected[@]}" | sort) \
        <(awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' <<<"$listing" | sort) ||
    fail "the package's files differ from the expected list (- expected, + packaged)"
while read -r mode owner _ _ _ path; do
    [[ $owner == root/root ]] || fail "$path is owned by $owner"
    case $path in
    */) [[ $mode == drwxr-xr-x ]] || fail "$path has mode $mode" ;;
    ./usr/bin/*) [[ $mode == -rwxr-xr-x ]] || fail "$path has mode $mode" ;;
    *) [[ $mode == -rw-r--r-- ]] || fail "$path has mode $mode" ;;
    esac
done <<<"$listing"

# Install into a dpkg root of its own (the host's packages are not known there, so its
# dependencies are waived), run the program from it, and remove it again.
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg=(dpkg --root="$root" --log=/dev/null --force-depends)
[[ $(id -u) == 0 ]] || dpkg+=(--force-not-root)
"${dpkg[@]}" --install "$deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -i"; }
for path in "${expected[@]}"; do
    [[ -f $root/$path ]] || fail "$path was not installed"
done
[[ $("$root/usr/bin/torvel-cli" --version) == "torvel-cli $version" ]] ||
    fail "the installed torvel-cli does not run"
"${dpkg[@]}" --purge torvel >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg --purge"; }
left=$(cd "$root" && find . -path ./var -prune -o -print | grep -vx '\.' || true)
[[ -z $left ]] || fail "left behind after removal: $left"

# Whether apt, which knows this machine's Debian, can satisfy the declared dependencies.
if command -v apt-get >/dev/null && [[ $(id -u) == 0 ]]; then
    apt-get -s -q install --no-install-recommends "$deb" >"$work/apt.log" 2>&1 ||
        { cat "$work/apt.log"; fail "apt-get cannot install the package here"; }
    grep -q '^Inst torvel ' "$work/apt.log" || { cat "$work/apt.log"; fail "apt-get plans no install"; }
fi
echo "package: $(basename "$deb"), ${#expected[@]} files; Depends: $depends"
