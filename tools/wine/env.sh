# Sourced by the Wine scripts: quiet, no Mono/Gecko installers, 64-bit loader.
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win64
WINE_LOADER=/usr/lib/wine/wine64
