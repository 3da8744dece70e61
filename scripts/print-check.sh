#!/usr/bin/env bash
# Opt-in check of printing through a real CUPS queue (not part of ctest; needs root):
# sets up cupsd with a cups-pdf queue, prints a test document through it with --printer,
# prints the same document with --pdf, and compares both pages edge for edge at 254 dpi. Both
# PDFs stay in BUILD_DIR/test-output/print-check for a person to look at.
#   scripts/print-check.sh [BUILD_DIR]     (default build/test)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/test}
poremi=$build/app/poremi
queue=PoremiCheck
work=$(mktemp -d /tmp/poremi-print-check.XXXXXX)
cupsd_pid=""
cleanup() {
  lpadmin -x "$queue" 2>/dev/null || true
  [ -n "$cupsd_pid" ] && kill "$cupsd_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

[ "$(id -u)" -eq 0 ] || { echo "print-check: run as root (it installs and starts cupsd)" >&2; exit 2; }
[ -x "$poremi" ] || { echo "print-check: build $poremi first" >&2; exit 2; }

missing=()
for p in cups printer-driver-cups-pdf poppler-utils; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# cups-pdf writes into this folder whoever prints.
out=$work/cups-pdf
mkdir -p "$out"
chmod 1777 "$out"
sed -i -e "s|^#\?Out .*|Out $out|" -e "s|^#\?AnonDirName .*|AnonDirName $out|" /etc/cups/cups-pdf.conf

# A cupsd started here runs in the foreground of this script and ends with it.
if ! lpstat -r 2>/dev/null | grep -q "is running"; then
  cupsd -f &
  cupsd_pid=$!
  for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q "is running" && break; sleep 0.2; done
fi
ppd=$(lpinfo -m | awk '/CUPS-PDF/ {print $1; exit}')
lpadmin -p "$queue" -E -v cups-pdf:/ -m "$ppd"
cupsenable "$queue"
cupsaccept "$queue"

# The document the command-line tests leave behind.
doc=$build/test-output/poremi_app/print_command/barcode.lbx
if [ ! -f "$doc" ]; then
  "$build/app/test_poremi_app" --gtest_filter='PrintCommand.PrintsTheCopiesToAPdfFile' >/dev/null
fi

"$poremi" --list-printers
"$poremi" --print "$doc" --pdf "$work/direct.pdf" --outlines --cut-lines
"$poremi" --print "$doc" --printer "$queue" --outlines --cut-lines

printed=""
for _ in $(seq 150); do
  printed=$(find "$out" -name '*.pdf' -print -quit)
  [ -n "$printed" ] && break
  sleep 0.2
done
[ -n "$printed" ] || { echo "print-check: cups-pdf wrote nothing (see /var/log/cups/error_log)" >&2; exit 1; }

kept=$build/test-output/print-check
mkdir -p "$kept"
cp "$work/direct.pdf" "$kept/direct.pdf"
cp "$printed" "$kept/through-cups.pdf"
pdftoppm -r 254 -gray -singlefile "$work/direct.pdf" "$work/direct"
pdftoppm -r 254 -gray -singlefile "$printed" "$work/printed"
python3 - "$work/direct.pgm" "$work/printed.pgm" <<'PY'
import sys

def read_pgm(path):
    data = open(path, 'rb').read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1:]

w1, h1, a = read_pgm(sys.argv[1])
w2, h2, b = read_pgm(sys.argv[2])
# The queue may round the page to its own size units; the drawing must stay where it was.
print(f"print-check: page {w1}x{h1} px direct, {w2}x{h2} px through CUPS")
if abs(w1 - w2) > 5 or abs(h1 - h2) > 5:
    sys.exit("print-check: the queue printed on another page size")
w, h = min(w1, w2), min(h1, h2)
dark = lambda img, width, x, y: img[y * width + x] < 128
misplaced = 0
for y in range(1, h - 1):
    for x in range(1, w - 1):
        want = dark(a, w1, x, y)
        if dark(b, w2, x, y) == want:
            continue
        if not any(dark(a, w1, x + dx, y + dy) != want for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
            misplaced += 1
print(f"print-check: {misplaced} pixels more than 0.1 mm off")
sys.exit(1 if misplaced else 0)
PY
