#!/usr/bin/env bash
# A new user's first session, driven from outside with the keyboard and the mouse on the X server
# that xvfb-run gives it: open アレンジ on the default CD sheet, add the text "テスト アルバム" with
# the text tool, add a rectangle, move it, undo and redo, look at 400 % and 自動, save with Ctrl+S,
# quit, start again with the saved file and see the same label, then visit the image screen.
# Every step is checked by comparing screenshots of the label; the saved file must pass
# `poremi --info` and open in python3-olefile. Screenshots stay in the output folder.
# Usage: xvfb_new_user_session.sh POREMI OUTPUT_FOLDER LSAN_SUPPRESSIONS
set -euo pipefail
. "$(dirname "$0")/xvfb_session.sh" "$@"

python=/usr/bin/python3  # the system one, which has python3-olefile
main=
shot() { import -window root "$out/session_$1.png"; }

# The number of pixels that differ between two pictures.
differing() { compare -metric AE "$1" "$2" null: 2>&1 | awk '{ printf "%d", $1 }' || true; }

# "LEFT TOP RIGHT BOTTOM" of the label on the screenshot $1: the columns between the grey
# surround on its left and right, over the rows that show that gap.
label_area() {
    convert "$1" "ppm:$work/area.ppm"
    "$python" - "$work/area.ppm" <<'EOF'
import sys
from collections import Counter
data = open(sys.argv[1], 'rb').read()
magic, width, height, depth, pixels = data.split(maxsplit=4)
width, height = int(width), int(height)
assert magic == b'P6' and depth == b'255'
grey = bytes((128, 128, 128))
gaps = {}
for y in range(height):
    row = pixels[y * width * 3:(y + 1) * width * 3]
    xs = [x for x in range(width) if row[x * 3:x * 3 + 3] == grey]
    size, left, right = max(((b - a, a + 1, b) for a, b in zip(xs, xs[1:])), default=(0, 0, 0))
    if size > 50:
        gaps[y] = (left, right)
if not gaps:
    sys.exit('no label inside a grey surround')
columns = Counter(gaps.values()).most_common(1)[0][0]
rows = [y for y, gap in gaps.items() if gap == columns]
print(columns[0], min(rows), columns[1], max(rows) + 1)
EOF
}

# Crops screenshot $1 to the label into $2.
label_of() { convert "$out/session_$1.png" -crop "$((R - L))x$((B - T))+$L+$T" +repage "$out/session_$1_label.png"; }

# Presses a key chord on the main window, then the following keys one by one (menu mnemonics).
keys() {
    xdotool windowfocus --sync "$main"
    xdotool key --clearmodifiers "$1"
    shift
    for key; do
        sleep 0.5
        xdotool key "$key"
    done
    sleep 1
}

# Waits up to 10 seconds until no visible window has the whole title $1.
closed() {
    for _ in $(seq 1 40); do
        [ -z "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true)" ] && return 0
        sleep 0.25
    done
    return 1
}

# Presses the left button at ($1,$2), moves to ($3,$4) in steps and releases it there.
drag() {
    xdotool mousemove "$1" "$2"
    sleep 0.3
    xdotool mousedown 1
    for step in 1 2 3 4 5 6 7 8; do
        xdotool mousemove $(($1 + ($3 - $1) * step / 8)) $(($2 + ($4 - $2) * step / 8))
        sleep 0.08
    done
    xdotool mouseup 1
    sleep 1
}

# A click on the empty corner of the label (outside the disc) deselects everything and gives the
# draw site the keyboard focus; then the label is photographed as $1.
label_shot() {
    xdotool windowfocus --sync "$main"
    xdotool mousemove $((L + 6)) $((T + 6)) click 1
    sleep 0.8
    shot "$1"
    label_of "$1"
}

# Fails unless the labels of steps $1 and $2 differ in more than $3 pixels ("more") or at most
# $3 pixels ("same").
expect() {
    local changed
    changed=$(differing "$out/session_$2_label.png" "$out/session_$3_label.png")
    echo "$2 -> $3: ${changed:-?} pixels differ"
    case $1 in
        more) [ "${changed:-0}" -gt "$4" ] || fail "$5 ($2 -> $3: $changed pixels differ)" ;;
        same) [ -n "$changed" ] && [ "$changed" -le "$4" ] || fail "$5 ($2 -> $3: $changed pixels differ)" ;;
    esac
}

wait_for_exit() {
    for _ in $(seq 1 60); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.25
    done
    kill -0 "$pid" 2>/dev/null && fail "the window did not close"
    local status=0
    wait "$pid" || status=$?
    pid=
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# ---- the first start: a new document on the default CD sheet, shown on the menu screen
"$exe" >"$work/log" 2>&1 &
pid=$!
main=$(window_named 'ぽれみ - 新規作成') || fail "no main window for a new document"
sleep 3  # the splash closes itself
shot menu_screen_new

keys alt+m f  # モード(&M) → 自由に編集(&F)
shot free_empty
read -r L T R B < <(label_area "$out/session_free_empty.png") || fail "アレンジ shows no label"
echo "label at $L,$T-$R,$B"
[ $((R - L)) -gt 200 ] && [ $((B - T)) -gt 200 ] || fail "the label is too small to work on"
label_shot empty

# ---- the text tool: 文字(&S) → 文字(&T)...; the text goes in through the clipboard
keys alt+s t
dialog=$(window_named '文字の追加') || fail "the text tool opened no dialog"
xdotool windowfocus --sync "$dialog"
xdotool key --clearmodifiers alt+t  # the text box
printf '%s' 'テスト アルバム' | xclip -quiet -selection clipboard -i >/dev/null 2>&1 &
clip=$!
sleep 0.5
xdotool key --clearmodifiers ctrl+v
sleep 0.8
shot text_dialog
kill "$clip" 2>/dev/null || true
# Ctrl+Tab leaves the text box for the next page; Return then presses the default button OK.
xdotool key --clearmodifiers ctrl+Tab
sleep 0.3
xdotool key Return
closed '文字の追加' || fail "the text dialog did not close with OK"
label_shot text
expect more empty text 300 "the text did not appear on the label"

# ---- the rectangle: 画像(&I) → 図形(&Z) → 四角(&R), 30 x 15 mm on the dialog's 位置 page
keys alt+i z r
dialog=$(window_named '四角図形の設定') || fail "the rectangle tool opened no dialog"
xdotool windowfocus --sync "$dialog"
xdotool key --clearmodifiers ctrl+Tab ctrl+Tab alt+w ctrl+a
xdotool type --delay 50 30
xdotool key --clearmodifiers alt+h ctrl+a
xdotool type --delay 50 15
sleep 0.3
shot rect_dialog
xdotool key Return
closed '四角図形の設定' || fail "the rectangle dialog did not close with OK"
label_shot rect
expect more text rect 2000 "no rectangle appeared"

# ---- move it: the new rectangle sits at the centre of the view, on top of the text
cx=$(((L + R) / 2))
cy=$(((T + B) / 2))
drag "$cx" "$cy" "$cx" $((cy + (B - T) * 3 / 10))
shot moved_selected  # with its handles and its position in the status bar
label_shot moved
expect more rect moved 2000 "the rectangle did not move"

# ---- 編集(&E) → 取り消し(&U), then やり直し(&R)
keys alt+e u
label_shot undone
expect same rect undone 50 "undo did not bring the rectangle back"
keys alt+e r
label_shot redone
expect same moved redone 50 "redo did not move the rectangle again"

# ---- 表示(&V): 400 % (the seventh choice), then 自動(&A)
keys alt+v Down Down Down Down Down Down Return
shot free_400
[ "$(differing "$out/session_free_400.png" "$out/session_redone.png")" -gt 20000 ] ||
    fail "400 % shows the same picture as 自動"
keys alt+v a
label_shot free_auto
expect same redone free_auto 50 "自動 after 400 % does not show the label as before"

# ---- save with Ctrl+S and quit through ファイル(&F) → 終了(&X)
keys ctrl+s
dialog=$(window_named '名前を付けて保存') || fail "Ctrl+S brought up no save dialog"
xdotool windowfocus --sync "$dialog"
xdotool type --delay 60 album
xdotool key Return
window_named 'ぽれみ - album.lbx' >/dev/null || fail "the title does not name the saved document"
[ -f "$work/documents/album.lbx" ] || fail "the document was not written"
label_shot before_quit
keys alt+f x
wait_for_exit

# ---- the second start with the saved file: the same label in アレンジ
"$exe" album.lbx >>"$work/log" 2>&1 &
pid=$!
main=$(window_named 'ぽれみ - album.lbx') || fail "the saved document did not open at start"
sleep 3
shot menu_screen
keys alt+m f
shot free_reopened
read -r L2 T2 R2 B2 < <(label_area "$out/session_free_reopened.png") || fail "アレンジ shows no label after the restart"
[ "$L2 $T2 $R2 $B2" = "$L $T $R $B" ] || fail "the label moved on the screen ($L2,$T2-$R2,$B2)"
label_shot after_restart
expect same before_quit after_restart 50 "the reopened label differs from the saved one"

# ---- the image screen: モード(&M) → イメージから(&I)
keys alt+m i
shot image_screen
[ "$(differing "$out/session_image_screen.png" "$out/session_after_restart.png")" -gt 20000 ] ||
    fail "イメージから did not change the screen"
keys alt+f x
wait_for_exit

# ---- the saved document through the program's own reader and through python3-olefile
"$exe" --info "$work/documents/album.lbx" >"$work/info" 2>&1 || { cat "$work/info"; fail "poremi --info refused the document"; }
cat "$work/info"
grep -Eq '^  face 1: 2 objects \((TLOText×1, TLORect×1|TLORect×1, TLOText×1)\), preview yes$' "$work/info" ||
    fail "the current face does not hold the text and the rectangle"
"$python" - "$work/documents/album.lbx" <<'EOF' || fail "python3-olefile does not read the document's tree"
import struct, sys, zlib
import olefile
ole = olefile.OleFileIO(sys.argv[1])
names = sorted('/'.join(n) for n in ole.listdir(streams=True, storages=True))
print('\n'.join(names))
sheet = 'Sheets/NameList0/'
for name in ('DataInfo', 'Sheets', 'Sheets/NameList', 'Sheets/NameList0', sheet + 'Info', sheet + 'PaperInfo',
             sheet + 'NameList', sheet + 'NameList0', sheet + 'Preview', sheet + 'Preview0'):
    assert name in names, name
for name in ('DataInfo', sheet + 'Info', sheet + 'PaperInfo'):
    assert b'TPF0' in ole.openstream(name).read(), name
face = ole.openstream(sheet + 'NameList0').read()
assert face[:13] == b'ZLIBCompress\x1a', face[:13]
plain = zlib.decompress(face[17:])
assert len(plain) == struct.unpack('<I', face[13:17])[0]
assert b'TLOText' in plain and b'TLORect' in plain, 'the face holds no text and rectangle'
assert ole.openstream(sheet + 'Preview0').read()[:8] == b'\x89PNG\r\n\x1a\n'
EOF
echo "PASS"
