#!/usr/bin/env bash
# Installs the build into a fresh prefix, then runs the installed program from its launcher
# alone (the build tree out of reach): the command line finds the shipped paper database, and
# the window comes up on the X server that xvfb-run gives it.
# Usage: installed_layout.sh BUILD_FOLDER LSAN_SUPPRESSIONS
set -euo pipefail
build=$1
work=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    cat "$work/log" >&2 2>/dev/null || true
    exit 1
}

cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log" >&2; fail "install"; }
prefix=$work/prefix
for f in bin/poremi lib/poremi/poremi lib/poremi/poremi.ppr lib/poremi/Data/Help/index.html \
         lib/poremi/Data/Fonts/poremi-fonts.conf share/applications/poremi.desktop \
         share/icons/hicolor/scalable/apps/poremi.svg share/mime/packages/poremi.xml share/thumbnailers/poremi.thumbnailer; do
    [ -e "$prefix/$f" ] || fail "$f is not installed"
done
desktop-file-validate "$prefix/share/applications/poremi.desktop" || fail "the desktop entry does not validate"

export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_CACHE_HOME=$work/home/.cache XDG_RUNTIME_DIR=$work/run POREMI_SETTINGS_FILE=$work/settings.ini
export QT_QPA_PLATFORM=xcb LSAN_OPTIONS=suppressions=$2
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
cd "$work"
# Through a link on the PATH, as a desktop starts it.
mkdir -p "$work/path"
ln -s "$prefix/bin/poremi" "$work/path/poremi"
export PATH=$work/path:$PATH

poremi --version | grep -q '^ぽれみ ' || fail "--version from the launcher"
poremi --list-papers LB-CDRJP | grep -q 'サンワサプライ LB-CDRJP' || fail "the installed paper database is not found"

poremi >"$work/log" 2>&1 &
pid=$!
for _ in $(seq 1 60); do
    [ -n "$(xdotool search --onlyvisible --name '^ぽれみ - 新規作成$' 2>/dev/null || true)" ] && { echo PASS; exit 0; }
    kill -0 "$pid" 2>/dev/null || fail "the program ended early"
    sleep 0.5
done
fail "no main window from the installed launcher"
