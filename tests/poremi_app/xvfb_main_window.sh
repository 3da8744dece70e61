#!/usr/bin/env bash
# Starts the real window on the X server that xvfb-run gives it (a machine without printers)
# and drives it from outside with xdotool: no modal box at start, the Japanese menus, Alt+F
# opens the file menu, Ctrl+S brings up the save dialog, the title follows the saved
# document, the window has its icon, and a second start hands its document to the running window. Screenshots stay in the output folder for people to look at.
# Usage: xvfb_main_window.sh POREMI OUTPUT_FOLDER LSAN_SUPPRESSIONS
set -euo pipefail
. "$(dirname "$0")/xvfb_session.sh" "$@"

differing_pixels() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1 || true; }

"$exe" >"$work/log" 2>&1 &
pid=$!
main=$(window_named 'ぽれみ - 新規作成') || fail "no main window titled for a new document"
sleep 3  # the splash closes itself
# A box would carry the bare application title.
[ -z "$(xdotool search --onlyvisible --name '^ぽれみ$' 2>/dev/null || true)" ] || fail "a modal box is shown at start"

# The window carries the program's icon for the task bar.
icon=$(xprop -id "$main" _NET_WM_ICON)
case $icon in *"Icon ("*) ;; *) fail "the window has no icon" ;; esac
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
