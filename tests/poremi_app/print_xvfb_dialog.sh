#!/usr/bin/env bash
# Starts the real window on the X server that xvfb-run gives it (no printers set up), opens the
# print dialog with Ctrl+P and keeps a screenshot of it in the output folder for people to look
# at; Escape closes the dialog and the window stays.
# Usage: print_xvfb_dialog.sh POREMI OUTPUT_FOLDER LSAN_SUPPRESSIONS
set -euo pipefail
exe=$1
out=$2
mkdir -p "$out"
work=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    echo "--- program output:" >&2
    cat "$work/log" >&2 || true
    exit 1
}

export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_CACHE_HOME=$work/home/.cache XDG_RUNTIME_DIR=$work/run POREMI_SETTINGS_FILE=$work/settings.ini
export QT_QPA_PLATFORM=xcb LSAN_OPTIONS=suppressions=$3
mkdir -p "$HOME" "$work/documents" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
cd "$work/documents"

# The id of the visible window whose whole title is $1, waiting up to 30 seconds.
window_named() {
    for _ in $(seq 1 60); do
        wid=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
        [ -n "$wid" ] && { echo "$wid"; return 0; }
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.5
    done
    return 1
}

"$exe" >"$work/log" 2>&1 &
pid=$!
main=$(window_named 'ぽれみ - 新規作成') || fail "no main window titled for a new document"
sleep 3  # the splash closes itself
xdotool windowfocus --sync "$main"
xdotool key --clearmodifiers ctrl+p
dialog=$(window_named 'ラベルシートの印刷') || fail "Ctrl+P opened no print dialog"
sleep 1
import -window root "$out/print_dialog.png"
xdotool windowfocus --sync "$dialog"
xdotool key Escape
for _ in $(seq 1 20); do
    [ -z "$(xdotool search --onlyvisible --name '^ラベルシートの印刷$' 2>/dev/null || true)" ] && break
    sleep 0.25
done
[ -z "$(xdotool search --onlyvisible --name '^ラベルシートの印刷$' 2>/dev/null || true)" ] || fail "Escape left the dialog open"
kill -0 "$pid" 2>/dev/null || fail "the program ended with the dialog"
echo "PASS"
