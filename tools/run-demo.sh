#!/usr/bin/env bash
# run-demo.sh: the kit's main job on the simulated card, in a fresh Wine prefix.
# Builds the kits, installs the driver with INSTALL.EXE -i -y from the kit
# folder, configures the card in mirvocfg (Find new cards, add it, Load config)
# and reads its weights in mirvo_bc, mirvo_dw32, Mirvo_mfc and Mirvo_vb, as a
# user would, and last watches them change live in kvtmon; screenshots of the
# windows land in build/x64/demo/. With a display of your own, kvtmon then
# stays open for you to try.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
tools/setup-machine.sh
tools/build-kits.sh

had_display=${DISPLAY:-}
. tools/display.sh
ensure_display
. tools/wine/env.sh

prefix=$root/build/x64/wine/demo
out=$root/build/x64/demo
rm -rf "$prefix" "$prefix.lock" "$out"
mkdir -p "$out"
echo "Preparing a fresh Wine prefix in $prefix ..."
tools/wine/prepare-prefix.sh "$prefix"
export WINEPREFIX=$prefix
# A Wine desktop window draws the programs' frames and captions itself, so the
# screenshots show them also where no window manager runs (Xvfb).
"$WINE_LOADER" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
"$WINE_LOADER" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
wineserver -w
wineserver -p
trap 'wineserver -k 2>/dev/null; stop_displays' EXIT

winpath() { echo "Z:$1" | tr / '\\'; }

echo "INSTALL.EXE -i -y (from the kit folder):"
(cd build/x64/kit && "$WINE_LOADER" INSTALL.EXE -i -y) | tr -d '\r' | sed 's/^/  /'

"$WINE_LOADER" build/x64/tests/demo/kit_demo.exe "$(winpath "$out")"

for bmp in "$out"/*.bmp; do
  [ -f "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo "Screenshots:"
ls "$out"/*.png 2>/dev/null | sed 's/^/  /'

if [ -n "$had_display" ]; then
  echo "kvtmon is open on your display; close it to end."
  (cd build/x64/kit && "$WINE_LOADER" kvtmon.exe) || true
fi
