#!/usr/bin/env bash
# Builds the Debian package in build-pkg/ and checks it: the desktop entry, the
# AppStream metainfo, lintian on the .deb, its contents, and an install of the
# same files under a temporary prefix. The build is the README's own command,
# so the hardening checked here is the one every Release build gets. Exits
# non-zero on any failure.
# Usage: scripts/check-package.sh [BUILD_DIR]
#   BUILD_DIR: package a Release build already made (./test's own) instead;
#   it must carry no compiler or linker flags of its own.
# Needs: cmake g++ qt6-base-dev qt6-svg-dev dpkg-dev file lintian
#        desktop-file-utils appstream devscripts (hardening-check) locales.
set -uo pipefail
cd "$(dirname "$0")/.."

build=${1:-build-pkg}
log_dir=$build/check
failures=()
fail() { failures+=("$1"); echo "check-package: FAIL: $1" >&2; }
step() { echo "== $*"; }

mkdir -p "$log_dir"

step "configure and build ($build, Release)"
# No flags of our own: the hardening must come from the project itself. Empty
# flags are passed so that a kept cache cannot hold others; a build made
# elsewhere is taken only when its cache says the same.
if [ $# -gt 0 ]; then
    configured() {
        grep -qx 'CMAKE_BUILD_TYPE:STRING=Release' "$build/CMakeCache.txt" &&
            ! grep -E '^CMAKE_(CXX_FLAGS|EXE_LINKER_FLAGS):STRING=.+' "$build/CMakeCache.txt" ||
            { echo "$build is not a Release build with the project's flags alone"; false; }
    }
else
    configured() { cmake --preset package -DCMAKE_CXX_FLAGS= -DCMAKE_EXE_LINKER_FLAGS=; }
fi
if ! configured >"$log_dir/configure.log" 2>&1; then
    cat "$log_dir/configure.log" >&2
    echo "check-package: 0 passed, 1 failed (configure)"
    exit 1
fi
if ! cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" >"$log_dir/build.log" 2>&1; then
    tail -40 "$log_dir/build.log" >&2
    echo "check-package: 0 passed, 1 failed (build)"
    exit 1
fi

step "cpack -G DEB"
rm -f "$build"/vorlaine_*.deb
if ! (cd "$build" && cpack -G DEB) >"$log_dir/cpack.log" 2>&1; then
    cat "$log_dir/cpack.log" >&2
    echo "check-package: 0 passed, 1 failed (cpack)"
    exit 1
fi
version=$(sed -n 's/^ *project(vorlaine VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb=$(ls "$build"/vorlaine_"$version"-*_amd64.deb 2>/dev/null | head -1)
if [ -z "$deb" ]; then
    fail "no vorlaine_${version}-*_amd64.deb made"
    echo "check-package: 0 passed, ${#failures[@]} failed"
    exit 1
fi
echo "package: $deb"

passed=0
check() { # name command...
    local name=$1
    shift
    if "$@" >"$log_dir/$name.log" 2>&1; then
        passed=$((passed + 1))
        echo "ok   $name"
    else
        sed 's/^/     /' "$log_dir/$name.log" >&2
        fail "$name"
    fi
}

step "desktop entry and metainfo (as built)"
desktop_entry=$build/packaging/vorlaine.desktop
metainfo=$build/packaging/io.github.vorlaine.vorlaine.metainfo.xml
# The Chinese name and summary the build wrote them from.
design_value() { sed -n "s/^set($1 \"\(.*\)\")\$/\1/p" design/program.cmake; }
name_zh=$(design_value VORLAINE_NAME_ZH)
summary_zh=$(design_value VORLAINE_SUMMARY_ZH)
check desktop-file-validate desktop-file-validate "$desktop_entry"
check appstream-validate appstreamcli validate --no-net --explain "$metainfo"
# What the validator accepts and would still be wrong: a terminal, a hidden
# entry, another program, another name.
desktop_keys_ok() {
    local status=0 line
    for line in Type=Application Terminal=false Exec=vorlaine Icon=vorlaine \
        StartupWMClass=vorlaine "Name[zh_CN]=$name_zh" "Comment[zh_CN]=$summary_zh"; do
        grep -qxF "$line" "$desktop_entry" || { echo "the desktop entry lacks $line"; status=1; }
    done
    ! grep -E '^(NoDisplay|Hidden|OnlyShowIn|NotShowIn|DBusActivatable)=' "$desktop_entry" || status=1
    return $status
}
check desktop-keys desktop_keys_ok

step "lintian"
lintian_run() {
    lintian --allow-root --tag-display-limit 0 --info "$deb" >"$log_dir/lintian.out" 2>&1
    local status=$?
    cat "$log_dir/lintian.out"
    # lintian exits 2 on errors; tags of lower severity do not fail the package.
    ! grep -q '^E: ' "$log_dir/lintian.out" && [ $status -ne 1 ]
}
check lintian lintian_run
grep -E '^[WIP]: ' "$log_dir/lintian.out" 2>/dev/null | sed 's/^/     /'
no_hardening_tags() {
    ! grep -E '^[EWIP]: vorlaine.*hardening-' "$log_dir/lintian.out"
}
check lintian-hardening no_hardening_tags

step "hardening of the binary (hardening-check)"
# PIE, stack protector, _FORTIFY_SOURCE, full RELRO and BIND_NOW; control-flow
# protection is not among Debian 12's hardening flags.
check hardening-built hardening-check --nocfprotection "$build/ui/vorlaine"

step "package contents"
expected=(
    ./usr/bin/vorlaine
    ./usr/share/applications/vorlaine.desktop
    ./usr/share/icons/hicolor/scalable/apps/vorlaine.svg
    ./usr/share/icons/hicolor/16x16/apps/vorlaine.png
    ./usr/share/icons/hicolor/48x48/apps/vorlaine.png
    ./usr/share/icons/hicolor/256x256/apps/vorlaine.png
    ./usr/share/metainfo/io.github.vorlaine.vorlaine.metainfo.xml
    ./usr/share/doc/vorlaine/copyright
    ./usr/share/doc/vorlaine/changelog.Debian.gz
    ./usr/share/man/man1/vorlaine.1.gz
    ./usr/share/lintian/overrides/vorlaine
)
contents_ok() {
    local listing missing=0
    listing=$(dpkg-deb --contents "$deb" | awk '{print $6}')
    echo "$listing"
    for f in "${expected[@]}"; do
        grep -qxF "$f" <<<"$listing" || { echo "missing from the package: $f"; missing=1; }
    done
    # The menu entry must start the program the package installs.
    local exec_line
    exec_line=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop_entry")
    grep -qxF "./usr/bin/${exec_line:-<none>}" <<<"$listing" ||
        { echo "the desktop entry's Exec (${exec_line:-none}) is not a program of the package"; missing=1; }
    local depends
    depends=$(dpkg-deb --field "$deb" Depends)
    echo "Depends: $depends"
    for d in fonts-wqy-microhei fonts-arphic-uming qt6-translations-l10n libqt6widgets6 libc6; do
        grep -q "$d" <<<"$depends" || { echo "Depends lacks $d"; missing=1; }
    done
    dpkg-deb --field "$deb" Recommends | grep -qw qt6-wayland ||
        { echo "Recommends lacks qt6-wayland"; missing=1; }
    local unpacked
    unpacked=$(mktemp -d)
    dpkg-deb --extract "$deb" "$unpacked"
    # The metainfo together with the desktop entry and icon it points to.
    appstreamcli validate-tree --no-net "$unpacked" || missing=1
    file "$unpacked/usr/bin/vorlaine" | grep -q 'ELF 64-bit.*, stripped' ||
        { echo "the program is not a stripped 64-bit binary"; missing=1; }
    hardening-check --nocfprotection "$unpacked/usr/bin/vorlaine" || missing=1
    rm -rf "$unpacked"
    return $missing
}
check contents contents_ok

step "AppStream in a Chinese locale (appstreamcli get)"
# What a software centre shows on a Chinese desktop: the package's metainfo
# in place of the system's (in a private mount namespace), read by
# appstreamcli under zh_CN.UTF-8 (a locale built here, in a temporary folder).
appstream_ok() {
    local tmp status=0 shown
    tmp=$(mktemp -d)
    dpkg-deb --extract "$deb" "$tmp/root"
    mkdir -p "$tmp/locale"
    localedef -i zh_CN -f UTF-8 "$tmp/locale/zh_CN.UTF-8" || { rm -rf "$tmp"; return 1; }
    local query="mount --bind '$tmp/root/usr/share/metainfo' /usr/share/metainfo &&
        LOCPATH='$tmp/locale' LC_ALL=zh_CN.UTF-8 appstreamcli get --no-cache \
            --cachepath '$tmp/cache' io.github.vorlaine.vorlaine &&
        appstreamcli dump --cachepath '$tmp/cache' io.github.vorlaine.vorlaine"
    shown=$(unshare --mount --propagation private sh -c "$query" 2>&1 ||
        unshare --user --map-root-user --mount sh -c "$query" 2>&1) ||
        { echo "cannot read the metainfo in a private mount namespace: $shown"; rm -rf "$tmp"; return 1; }
    echo "$shown"
    grep -qxF "名称: $name_zh" <<<"$shown" || { echo "no Chinese name"; status=1; }
    grep -qxF "摘要: $summary_zh" <<<"$shown" ||
        { echo "no Chinese summary"; status=1; }
    grep -q "<release [^>]*version=\"$version\"" <<<"$shown" ||
        { echo "no release $version in the metainfo"; status=1; }
    rm -rf "$tmp"
    return $status
}
check appstream-zh_CN appstream_ok

step "cmake --install to a temporary prefix"
install_ok() {
    local prefix status=0
    prefix=$(mktemp -d)
    cmake --install "$build" --prefix "$prefix" || return 1
    for f in "${expected[@]}"; do
        local path=$prefix/${f#./usr/}
        [ -s "$path" ] || { echo "not installed: $path"; status=1; }
    done
    [ -x "$prefix/bin/vorlaine" ] || { echo "not executable: $prefix/bin/vorlaine"; status=1; }
    find "$prefix" -type f | sort
    rm -rf "$prefix"
    return $status
}
check install-prefix install_ok

failed=${#failures[@]}
echo "package checked: $deb"
[ "$failed" -gt 0 ] && echo "failed checks: ${failures[*]}"
echo "check-package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
