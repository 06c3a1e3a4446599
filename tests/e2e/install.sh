#!/usr/bin/env bash
# Installed like a desktop program: cmake --install into a temporary DESTDIR (programs answer
# --version and make the build tree's bytes, never write beside themselves), the desktop entry
# and AppStream metadata pass their validators; in the release build also the Debian package:
# it builds, lists the expected files, lintian finds no errors, and its programs work once
# unpacked (never installed on this machine).
set -uo pipefail
build=$(realpath "${1:?build folder}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
cache() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
version=$(cache CMAKE_PROJECT_VERSION)
export XDG_CONFIG_HOME="$work/config"  # no remembered folder
mkdir -p "$work/reference"
"$build/orvane-cli" --quiet --seed installed --out "$work/reference" || fail "build tree's map"
reference=$(ls "$work/reference")

expected=(
    usr/bin/orvane usr/bin/orvane-cli
    usr/share/applications/net.orvane.Orvane.desktop
    usr/share/metainfo/net.orvane.Orvane.metainfo.xml
    usr/share/icons/hicolor/{16x16,32x32,48x48,128x128,256x256}/apps/orvane.png
    usr/share/man/man1/orvane.1.gz usr/share/man/man1/orvane-cli.1.gz
    usr/share/doc/orvane/copyright usr/share/doc/orvane/changelog.gz
)

# Runs the programs under $1/usr/bin: --version, a seeded map, and no folder at all.
check_programs() {
    local root=$1 what=$2
    [[ "$("$root/usr/bin/orvane-cli" --version)" == "orvane-cli $version (FreeType "* ]] &&
        [[ "$("$root/usr/bin/orvane" --version)" == "orvane $version (FreeType "* ]] &&
        pass "$what: --version says $version" || fail "$what: --version"
    mkdir -p "$work/$what-maps"
    "$root/usr/bin/orvane-cli" --quiet --seed installed --out "$work/$what-maps" &&
        cmp -s "$work/reference/$reference" "$work/$what-maps/$reference" &&
        pass "$what: seeded map has the build tree's bytes" || fail "$what: seeded map differs"
    msg=$("$root/usr/bin/orvane-cli" --seed nowhere 2>&1) && fail "$what: saved without a folder"
    [[ "$msg" == *"--out"* && ! -e "$root/usr/bin/User" ]] &&
        pass "$what: no folder, nothing beside the program" || fail "$what: $msg"
}

DESTDIR="$work/dest" cmake --install "$build" --prefix /usr >"$work/install.txt" ||
    fail "cmake --install: $(tail -3 "$work/install.txt")"
missing=()
for f in "${expected[@]}"; do [[ -f "$work/dest/$f" ]] || missing+=("$f"); done
((${#missing[@]} == 0)) && pass "installed files" || fail "not installed: ${missing[*]}"
check_programs "$work/dest" installed
desktop-file-validate "$work/dest/usr/share/applications/net.orvane.Orvane.desktop" &&
    pass "desktop-file-validate" || fail "desktop-file-validate"
appstreamcli validate --no-net "$work/dest/usr/share/metainfo/net.orvane.Orvane.metainfo.xml" \
    >"$work/appstream.txt" 2>&1 && pass "appstreamcli validate" ||
    fail "appstreamcli: $(cat "$work/appstream.txt")"
for page in orvane orvane-cli; do
    man --warnings -l "$work/dest/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null | grep . &&
        fail "man page $page has warnings" || pass "man page $page"
done

if [[ $(cache ORVANE_SANITIZE) == ON ]]; then
    echo "package: skipped in the sanitizer build"
else
    arch=$(dpkg --print-architecture)
    deb="$work/pack/orvane_${version}_${arch}.deb"
    (cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/pack" >"$work/cpack.txt" 2>&1)
    [[ -f "$deb" ]] && pass "$(basename "$deb") built" || fail "cpack: $(tail -5 "$work/cpack.txt")"
    listed=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||')
    missing=()
    for f in "${expected[@]}"; do grep -qx "$f" <<<"$listed" || missing+=("$f"); done
    ((${#missing[@]} == 0)) && pass "dpkg-deb -c lists the files" || fail "not in the package: ${missing[*]}"
    depends=$(dpkg-deb -f "$deb" Depends)
    [[ "$depends" == *libfltk1.3* && "$depends" == *libspng0* ]] &&
        pass "dependencies from the linked libraries: $depends" || fail "Depends: $depends"
    lintian --allow-root "$deb" >"$work/lintian.txt" 2>&1
    grep "^W: " "$work/lintian.txt"  # warnings are shown, not fatal
    grep -q "^E: " "$work/lintian.txt" && fail "lintian: $(grep "^E: " "$work/lintian.txt")" ||
        pass "lintian: no errors"
    dpkg-deb -x "$deb" "$work/unpacked" && check_programs "$work/unpacked" unpacked
fi

echo "install: $failures failed"
[[ $failures -eq 0 ]]
