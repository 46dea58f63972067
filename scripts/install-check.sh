#!/usr/bin/env bash
# Installs a build into a temporary prefix, checks the installed files and
# runs the installed headless runner on an installed example: it must find
# its language files in the prefix and write the picture.
#   scripts/install-check.sh BUILD_DIR
set -euo pipefail

build=${1:?usage: install-check.sh BUILD_DIR}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
app=io.github.mivarelo.Mivarelo
component=${app,,}
failures=0

fail() {
    echo "install-check: $*" >&2
    failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >"$work/install.log" ||
    { cat "$work/install.log" >&2; exit 1; }

expected=(
    bin/mivarelo-run
    share/mivarelo/lang/english.txt
    share/mivarelo/lang/turkish.txt
    share/mime/packages/mivarelo.xml
    share/man/man1/mivarelo-run.1.gz
    share/doc/mivarelo/copyright
    share/doc/mivarelo/changelog.Debian.gz
)
for example in "$source_dir"/examples/tr/*.elg "$source_dir"/examples/en/*.elg; do
    expected+=("share/mivarelo/examples/${example#"$source_dir"/examples/}")
done
expected+=(share/mivarelo/examples/examples.txt)
gui=no
if [ -e "$build/bin/mivarelo" ]; then
    gui=yes
    expected+=(
        bin/mivarelo
        share/man/man1/mivarelo.1.gz
        "share/applications/$app.desktop"
        "share/metainfo/$component.metainfo.xml"
        "share/icons/hicolor/scalable/apps/$app.svg"
    )
    for size in 16 32 48 64 128 256; do
        expected+=("share/icons/hicolor/${size}x${size}/apps/$app.png")
    done
fi
for file in "${expected[@]}"; do
    [ -f "$prefix/$file" ] || fail "missing $prefix/$file"
done
[ -x "$prefix/bin/mivarelo-run" ] || fail "bin/mivarelo-run is not executable"

# Installed data files are the committed ones, byte for byte.
cmp -s "$source_dir/resources/lang/turkish.txt" "$prefix/share/mivarelo/lang/turkish.txt" ||
    fail "share/mivarelo/lang/turkish.txt differs from resources/lang/turkish.txt"
cmp -s "$source_dir/packaging/mivarelo.xml" "$prefix/share/mime/packages/mivarelo.xml" ||
    fail "share/mime/packages/mivarelo.xml differs from packaging/mivarelo.xml"
cmp -s "$source_dir/packaging/debian/copyright" "$prefix/share/doc/mivarelo/copyright" ||
    fail "share/doc/mivarelo/copyright differs from packaging/debian/copyright"

# The changelog is packaging/debian/changelog compressed as Debian wants it:
# the gzip header carries no name and no time (flags 00, time 00000000) and
# says maximum compression (02), written on Unix (03).
changelog=$prefix/share/doc/mivarelo/changelog.Debian.gz
if [ -f "$changelog" ]; then
    header=$(od -An -tx1 -N10 "$changelog" | tr -d ' \n')
    [ "$header" = 1f8b0800000000000203 ] ||
        fail "changelog.Debian.gz has the gzip header $header, not 1f8b0800000000000203 (gzip -9n)"
    gzip -dc "$changelog" | cmp -s "$source_dir/packaging/debian/changelog" - ||
        fail "changelog.Debian.gz does not hold packaging/debian/changelog"
fi
# Its top entry is for the version being built: a new version needs an entry.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
top=$(head -n 1 "$source_dir/packaging/debian/changelog")
[[ "$top" =~ ^mivarelo\ \(${version//./\\.}-[0-9]+\)\  ]] ||
    fail "the top entry of packaging/debian/changelog, '$top', is not for version $version"
for size in 16 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$app.png
    [ "$gui" = no ] || file "$png" | grep -q "PNG image data, $size x $size," ||
        fail "$png is not a $size x $size PNG: $(file -b "$png")"
done

if [ "$gui" = yes ]; then
    grep -qx 'Exec=mivarelo %f' "$prefix/share/applications/$app.desktop" ||
        fail "the desktop entry does not start mivarelo with the file"
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$prefix/share/applications/$app.desktop" ||
            fail "desktop-file-validate rejects the desktop entry"
    fi
    if command -v appstreamcli >/dev/null; then
        appstreamcli validate --no-net "$prefix/share/metainfo/$component.metainfo.xml" >"$work/as.log" ||
            { cat "$work/as.log" >&2; fail "appstreamcli rejects the metainfo file"; }
    fi
fi

# The MIME definition compiles and gives both types their globs.
if command -v update-mime-database >/dev/null; then
    cp -r "$prefix/share/mime" "$work/mime"
    update-mime-database "$work/mime" || fail "update-mime-database rejects mivarelo.xml"
    grep -qx 'application/x-mivarelo-program:\*\.elg' "$work/mime/globs" ||
        fail "no glob *.elg for application/x-mivarelo-program"
    grep -qx 'text/x-logo:\*\.lgo' "$work/mime/globs" || fail "no glob *.lgo for text/x-logo"
fi

# The installed runner on both versions of an installed example, from an
# unrelated folder: each draws the whole picture, and the two draw the same.
cd "$work"
for language in tr en; do
    status=0
    "$prefix/bin/mivarelo-run" --no-wait --png "$work/house-$language.png" \
        "$prefix/share/mivarelo/examples/$language/house.elg" >"$work/run.out" 2>"$work/run.err" ||
        status=$?
    [ "$status" -eq 0 ] ||
        fail "mivarelo-run $language/house.elg exited with $status: $(cat "$work/run.err")"
    [ ! -s "$work/run.err" ] || fail "mivarelo-run wrote to standard error: $(cat "$work/run.err")"
    file "$work/house-$language.png" | grep -q 'PNG image data, 2000 x 2000' ||
        fail "no 2000 x 2000 picture of $language/house.elg: $(file -b "$work/house-$language.png")"
done
cmp -s "$work/house-tr.png" "$work/house-en.png" ||
    fail "tr/house.elg and en/house.elg draw different pictures"

if [ "$failures" -ne 0 ]; then
    echo "install-check: $failures failure(s)" >&2
    exit 1
fi
echo "install-check: ${#expected[@]} files installed, the installed runner drew both house.elg alike"
