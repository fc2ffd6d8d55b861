#!/bin/bash
# The demonstration of tools/run.sh on a machine without a display (run inside xvfb-run).
set -euo pipefail
build=$1
run="$build/wine-run"
"$build/wine-prefix-up"
sample="$WINEPREFIX/drive_c/tavlo2-sample"
rm -rf "$sample" && mkdir -p "$sample"
for f in Page.html photo.jpeg movie.mpeg memo.doc notes.text; do echo "sample" > "$sample/$f"; done
key="HKCU\\Software\\Vesmir's Soft\\Tavlo2"
reg() { "$run" reg add "$key" /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1; }

echo "== Automatic run (mode 4->3) on C:\\tavlo2-sample"
reg Auto True; reg AutoExe 2; reg AutoLog True
names=()
for f in "$sample"/*; do names+=("C:\\tavlo2-sample\\$(basename "$f")"); done
# The exit code is 1 here: memo.doc has no 4->3 form and keeps its name.
status=0
"$run" "$build/tavlo2.exe" "${names[@]}" || status=$?
echo "-- Exit code $status (0 when every named file got its final name)"
echo "-- The log it copied to the clipboard:"
"$run" "$build/clipprint.exe" | sed 's/\r$//'
echo
echo "-- The files now:"
ls -1 "$sample"

echo
echo "== The window, with the sample files listed and a run in mode 4->3 finished"
reg Auto False
rm -rf "$sample" && mkdir -p "$sample"
for f in Page.html photo.jpeg movie.mpeg memo.doc notes.text; do echo "sample" > "$sample/$f"; done
names=()
for f in "$sample"/*; do names+=("C:\\tavlo2-sample\\$(basename "$f")"); done
dpi=${TAVLO_DPI:-96}
desktop="$((1240 * dpi / 96))x$((980 * dpi / 96))"
"$run" explorer "/desktop=tavlo2,$desktop" "$build/tavlo2.exe" "${names[@]}" >/dev/null 2>&1 &
sleep 8
"$run" explorer "/desktop=tavlo2,$desktop" "$build/pressmode.exe" 2 >/dev/null 2>&1 || true
sleep 3
suffix=""
[ "$dpi" = 96 ] || suffix="-$dpi"
shot="$build/tavlo2-screenshot$suffix.png"
import -window root "$shot"
wineserver -k >/dev/null 2>&1 || true
echo "Screenshot saved: $shot"
# The main window alone (the README's picture): the desktop around it trimmed away.
convert "$shot" -crop "$((900 * dpi / 96))x$((700 * dpi / 96))+0+0" +repage -fuzz 2% -trim +repage \
  "$build/tavlo2-window$suffix.png"
echo "The window alone: $build/tavlo2-window$suffix.png"
