#!/usr/bin/env bash
# Starts the real window on the X server that xvfb-run gives it (no printers set up), opens the
# print dialog with Ctrl+P and keeps a screenshot of it in the output folder for people to look
# at; Escape closes the dialog and the window stays.
# Usage: print_xvfb_dialog.sh POREMI OUTPUT_FOLDER LSAN_SUPPRESSIONS
set -euo pipefail
. "$(dirname "$0")/xvfb_session.sh" "$@"

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
