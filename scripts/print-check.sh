#!/usr/bin/env bash
# Opt-in check of printing through a real CUPS queue (not part of ctest; needs root):
# sets up cupsd with a cups-pdf queue, prints a test document through it with --printer,
# prints the same document with --pdf, and compares both pages edge for edge at 254 dpi.
#   scripts/print-check.sh [BUILD_DIR]     (default build/test)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/test}
poremi=$build/app/poremi
queue=PoremiCheck
work=$(mktemp -d /tmp/poremi-print-check.XXXXXX)
trap 'rm -rf "$work"' EXIT

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

if ! lpstat -r >/dev/null 2>&1; then
  cupsd
  for _ in $(seq 50); do lpstat -r >/dev/null 2>&1 && break; sleep 0.2; done
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
if abs(w1 - w2) > 1 or abs(h1 - h2) > 1:
    sys.exit(f"print-check: page sizes differ: {w1}x{h1} direct, {w2}x{h2} through CUPS")
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
