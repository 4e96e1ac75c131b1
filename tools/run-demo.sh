#!/usr/bin/env bash
# run-demo.sh: the kit's main job on the simulated card, in a fresh Wine prefix,
# for each kit: the 64-bit one under this machine's Wine, then the 32-bit one
# (what an engineer with NT 4.0 gets) under 32-bit Wine in the 32-bit root,
# emulated where the machine cannot run 32-bit code (tools/root32).
# Builds the kits, installs the driver with INSTALL.EXE -i -y from the kit
# folder, configures the card in mirvocfg (Find new cards, add it, Load config)
# and reads its weights in mirvo_bc, mirvo_dw32, Mirvo_mfc and Mirvo_vb, as a
# user would, and last watches them change live in kvtmon; screenshots of the
# windows land in build/x64/demo/ and build/x86/demo/. With a display of your
# own, the 64-bit kvtmon then stays open for you to try.
# (run-demo.sh --kit x64|x86 runs one kit's part, on a display and Wine
# already there; the 32-bit one inside the root.)
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)

winpath() { echo "Z:$1" | tr / '\\'; }

one_kit() {  # x64|x86
  local tree=$root/build/$1
  . tools/wine/env.sh
  local prefix=$tree/wine/demo out=$tree/demo
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
  wineserver -p </dev/null >/dev/null 2>&1
  trap 'wineserver -k 2>/dev/null' EXIT

  echo "INSTALL.EXE -i -y (from the kit folder):"
  (cd "$tree/kit" && "$WINE_LOADER" INSTALL.EXE -i -y) | tr -d '\r' | sed 's/^/  /'
  "$WINE_LOADER" "$tree/tests/demo/kit_demo.exe" "$(winpath "$out")"
}

if [ "${1:-}" = --kit ]; then
  one_kit "$2"
  exit 0
fi

tools/setup-machine.sh
tools/build-kits.sh
had_display=${DISPLAY:-}
. tools/display.sh
ensure_display

echo "== The 64-bit kit (x64), under this machine's Wine"
tools/run-demo.sh --kit x64
echo
echo "== The 32-bit kit (x86), the one for Windows NT 4.0, under 32-bit Wine in the 32-bit root"
if tools/root32/make-root.sh >/dev/null && tools/root32/emulation.sh on; then
  echo "(32-bit code runs $(tools/root32/emulation.sh mode) here)"
  tools/root32/in-root.sh tools/run-demo.sh --kit x86
else
  echo "The 32-bit kit cannot run here: the lines above say why (the root needs root)."
fi

echo
for kit in x64 x86; do
  for bmp in build/$kit/demo/*.bmp; do
    [ -f "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
  done
done
echo "Screenshots of the 64-bit kit:"
ls build/x64/demo/*.png 2>/dev/null | sed 's/^/  /'
echo "Screenshots of the 32-bit kit (the one for NT 4.0):"
ls build/x86/demo/*.png 2>/dev/null | sed 's/^/  /'

if [ -n "$had_display" ]; then
  echo "kvtmon (64-bit kit) is open on your display; close it to end."
  . tools/wine/env.sh
  export WINEPREFIX=$root/build/x64/wine/demo
  (cd build/x64/kit && "$WINE_LOADER" kvtmon.exe) || true
  wineserver -k 2>/dev/null || true
fi
