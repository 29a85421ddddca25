#!/usr/bin/env bash
# Measures the PDF writer beside LibreOffice headless on the same page files of the birthday
# book's report: seconds per page and PDF sizes. Installs libreoffice-draw-nogui (only this
# script needs it). Usage: scripts/pdf-benchmark.sh [build-dir] [records (6 pages each)]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${1:-$ROOT/build}"
RECORDS="${2:-5}"

if ! command -v soffice >/dev/null; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends libreoffice-draw-nogui
fi

DIR="$(mktemp -d "${TMPDIR:-/tmp}/pdf-benchmark-XXXXXX")"
trap 'rm -rf "$DIR"' EXIT
export XDG_RUNTIME_DIR="$DIR/runtime" && mkdir -m 700 -p "$XDG_RUNTIME_DIR"

PDF_BENCH_DIR="$DIR" PDF_BENCH_RECORDS="$RECORDS" QT_QPA_PLATFORM=offscreen \
  "$BUILD/tests/printing_tests" --gtest_also_run_disabled_tests \
  --gtest_filter='PdfBenchmark.DISABLED_SecondsPerPageAndSize' | grep '^ours:' | tee "$DIR/ours.txt"
PAGES=$(ls "$DIR"/pages/*.wmf | wc -l)
OURS=$(stat -c %s "$DIR/ours.pdf")

# LibreOffice converts one file per document; a warm-up run first so that its start-up
# (profile creation) is not counted against it.
LO_PROFILE="file://$DIR/lo-profile"
soffice -env:UserInstallation="$LO_PROFILE" --headless --convert-to pdf --outdir "$DIR/warm" \
  "$DIR/pages/page-001.wmf" >/dev/null 2>&1
START=$(date +%s.%N)
soffice -env:UserInstallation="$LO_PROFILE" --headless --convert-to pdf --outdir "$DIR/lo" \
  "$DIR"/pages/*.wmf >/dev/null 2>&1
END=$(date +%s.%N)
THEIRS_FILES=$(du -cb "$DIR"/lo/*.pdf | tail -1 | cut -f1)
qpdf --empty --pages "$DIR"/lo/*.pdf -- "$DIR/theirs.pdf"
THEIRS=$(stat -c %s "$DIR/theirs.pdf")
IMAGES_OURS=$(pdfimages -list "$DIR/ours.pdf" | awk 'NR>2' | wc -l)
IMAGES_THEIRS=$(pdfimages -list "$DIR/theirs.pdf" | awk 'NR>2' | wc -l)
mkdir "$DIR/img" && pdfimages -all "$DIR/ours.pdf" "$DIR/img/i"
# Each picture is stored once however often it is placed: count distinct streams.
JPEG_OURS=$(md5sum "$DIR"/img/* | sort -u -k1,1 | awk '{print $2}' | xargs stat -c %s | awk '{t += $1} END {print t}')
pdftoppm -r 40 -f 2 -l 2 -png "$DIR/theirs.pdf" "$DIR/theirs-page"
pdftoppm -r 40 -f 2 -l 2 -png "$DIR/ours.pdf" "$DIR/ours-page"
if [ -n "${KEEP_RENDERINGS:-}" ]; then cp "$DIR"/theirs-page*.png "$DIR"/ours-page*.png "$KEEP_RENDERINGS"/; fi

awk -v s="$START" -v e="$END" -v p="$PAGES" -v ours="$OURS" -v theirs="$THEIRS" -v files="$THEIRS_FILES" 'BEGIN {
  printf "libreoffice: %d pages in %.3f s = %.4f s/page; %d bytes in %d files, %d bytes joined\n", p, e - s, (e - s) / p, files, p, theirs
  printf "ours: %d bytes = %.2f x theirs (joined)\n", ours, ours / theirs
}'
echo "pictures placed: ours $IMAGES_OURS (all jpeg, $JPEG_OURS bytes of JPEG stored once each), theirs $IMAGES_THEIRS"
echo "ours without the JPEG bytes: $((OURS - JPEG_OURS)) bytes; speed ratio:" \
  "$(awk -v s="$START" -v e="$END" -v p="$PAGES" -v o="$(grep -o '[0-9.]* s/page' "$DIR/ours.txt" | cut -d' ' -f1)" 'BEGIN {printf "%.1f x faster", ((e - s) / p) / o}')"
