#!/bin/sh
# Checks of the desktop data, run by CTest:
#   check_desktop_data.sh desktop FILE.desktop   the launcher entry is valid
#   check_desktop_data.sh mime FILE.xml          the document type compiles and maps *.zvk
#   check_desktop_data.sh install CMAKE BUILDDIR an install puts every file in place
# Exit 77 tells CTest the check was skipped because a tool is missing.
set -eu

mode=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

need() {
    if ! command -v "$1" >/dev/null 2>&1; then
        echo "skipped: $1 is not installed (package $2)"
        exit 77
    fi
}

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

case "$mode" in
desktop)
    need desktop-file-validate desktop-file-utils
    desktop-file-validate "$1"
    ;;
mime)
    need update-mime-database shared-mime-info
    mkdir -p "$work/mime/packages"
    cp "$1" "$work/mime/packages/zarvik.xml"
    # update-mime-database reports a broken package on stderr but still exits 0; with the
    # folder on its search path it has nothing else to say there.
    XDG_DATA_HOME=$work update-mime-database "$work/mime" 2>"$work/errors" >/dev/null
    if grep -q . "$work/errors"; then
        cat "$work/errors" >&2
        fail "update-mime-database did not accept the package"
    fi
    grep -qx '50:application/x-zarvik:\*\.zvk' "$work/mime/globs2" ||
        fail "*.zvk is not mapped to application/x-zarvik"
    grep -q 'xml:lang="ja"' "$work/mime/application/x-zarvik.xml" ||
        fail "the Japanese comment is missing"
    ;;
install)
    cmake=$1
    build=$2
    "$cmake" --install "$build" --prefix "$work/prefix" >"$work/log" 2>&1 || {
        cat "$work/log" >&2
        fail "cmake --install failed"
    }
    for file in \
        bin/zarvik \
        share/applications/zarvik.desktop \
        share/mime/packages/zarvik.xml \
        share/icons/hicolor/scalable/apps/zarvik.svg \
        share/icons/hicolor/scalable/mimetypes/application-x-zarvik.svg; do
        [ -s "$work/prefix/$file" ] || fail "$file was not installed"
    done
    [ -x "$work/prefix/bin/zarvik" ] || fail "bin/zarvik is not executable"
    # The program takes itself for an installed copy when share/zarvik exists beside bin.
    ls "$work/prefix/share/zarvik/examples/"*.zvk >/dev/null 2>&1 ||
        fail "share/zarvik/examples holds no document"
    ;;
*)
    fail "unknown check '$mode'"
    ;;
esac
echo "passed: $mode"
