#!/usr/bin/env bash
# Starts the real window on the X server that xvfb-run gives it (a machine without printers)
# and drives it from outside with xdotool: no modal box at start, the Japanese menus, Alt+F
# opens the file menu, Ctrl+S brings up the save dialog, the title follows the saved
# document, and a second start hands its document to the running window. Screenshots stay in the output folder for people to look at.
# Usage: xvfb_main_window.sh POREMI OUTPUT_FOLDER LSAN_SUPPRESSIONS
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

differing_pixels() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1 || true; }

"$exe" >"$work/log" 2>&1 &
pid=$!
main=$(window_named 'ぽれみ - 新規作成') || fail "no main window titled for a new document"
sleep 3  # the splash closes itself
# A box would carry the bare application title.
[ -z "$(xdotool search --onlyvisible --name '^ぽれみ$' 2>/dev/null || true)" ] || fail "a modal box is shown at start"

xdotool windowfocus --sync "$main"
import -window root "$out/main_window.png"
xdotool key --clearmodifiers alt+f
sleep 1
import -window root "$out/main_window_file_menu.png"
changed=$(differing_pixels "$out/main_window.png" "$out/main_window_file_menu.png")
[ "${changed:-0}" -gt 2000 ] || fail "Alt+F opened no menu ($changed pixels changed)"
xdotool key Escape
sleep 0.5

xdotool key --clearmodifiers ctrl+s
dialog=$(window_named '名前を付けて保存') || fail "Ctrl+S brought up no save dialog"
sleep 0.5
import -window root "$out/main_window_save_dialog.png"
xdotool windowfocus --sync "$dialog"
xdotool type --delay 60 disc
xdotool key Return
window_named 'ぽれみ - disc.lbx' >/dev/null || fail "the title does not name the saved document"
[ -f "$work/documents/disc.lbx" ] || fail "the document was not written"
import -window root "$out/main_window_saved.png"

# A second start with a document hands it to the running window and ends.
cp "$work/documents/disc.lbx" "$work/documents/other.lbx"
second=0
timeout 30 "$exe" other.lbx >>"$work/log" 2>&1 || second=$?
[ "$second" -eq 0 ] || fail "the second start ended with status $second"
window_named 'ぽれみ - other.lbx' >/dev/null || fail "the running window did not open the handed document"

# Leave through the file menu's exit command (its mnemonic is X).
xdotool windowfocus --sync "$main"
xdotool key --clearmodifiers alt+f
sleep 0.5
xdotool key x
for _ in $(seq 1 40); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.25
done
kill -0 "$pid" 2>/dev/null && fail "the window did not close"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "PASS"
