#!/usr/bin/env bash
# build-from-zip.sh ZIP ARCH TRIPLE SOURCE_DIR "SAMPLE PROGRAMS" [WINE_RUNNER...]
# A user's first hour with a kit's zip, with nothing from the repository:
# unpack it, build the samples with its own CMake project, include/ and lib/,
# and compare their import tables with the kit's own programs; link a reader
# of one's own against lib/. With WINE_RUNNER, that program
# then installs from the unpacked kit folder and reads the simulated card
# with the mirvo_bc.exe built here; it gets both paths through KIT_ZIP_DIR
# and KIT_ZIP_READER.
set -u
zip=$1 arch=$2 triple=$3 src=$4
read -r -a sample_programs <<< "$5"
shift 5
here=$(cd "$(dirname "$0")" && pwd)
. "$here/unpack-zip.sh"
unpack_zip "$zip"
objdump=$triple-objdump
build=$work/build

# The samples, configured and built as README.TXT says. The repository's
# own settings stay out of it; only its compiler cache comes in, through the
# environment, so that a build from an unchanged zip is mostly cache hits.
. "$src/tools/compiler-cache.sh"
if compiler_cache "$work"; then
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
fi
(cd "$kit" && env -u CMAKE_TOOLCHAIN_FILE -u CMAKE_GENERATOR -u CMAKE_PREFIX_PATH \
   cmake -S samples -B "$build" -G Ninja >"$work/configure.log" 2>&1) \
  || { cat "$work/configure.log"; echo "FAIL: the samples' project does not configure"; exit 1; }
# Two compilers at a time, not one per core and more: other tests run beside it.
cmake --build "$build" --parallel 2 >"$work/build.log" 2>&1 || { cat "$work/build.log"; echo "FAIL: the samples do not build"; exit 1; }
if grep -rlF "$src" "$build" >"$work/leaks"; then
  fail "the samples' build reaches into the repository: $(head -3 "$work/leaks" | tr '\n' ' ')"
fi

imports() {  # "dll: name" lines of a PE file's import table
  "$objdump" -p "$1" | awk '
    /DLL Name:/ { dll = tolower($3); next }
    dll != "" && /^[[:space:]]+[0-9a-f]+[[:space:]]+[0-9]+[[:space:]]+[^ ]+$/ { print dll ": " $3 }
    /^$/ { dll = "" }' | sort -u
}
for program in "${sample_programs[@]}"; do
  if [ ! -f "$build/kit/$program" ]; then
    fail "$program was not built from the zip"
    continue
  fi
  diff <(imports "$kit/$program") <(imports "$build/kit/$program") >"$work/imports.diff" \
    || fail "$program built from the zip imports otherwise than the kit's (< kit, > built): $(tr '\n' ' ' <"$work/imports.diff")"
done

# A reader of one's own, linked as README.TXT says: every entry by its plain
# name; on the 32-bit kit the four reader entries also by the decorated names.
cat >"$work/own.c" <<'C'
#include <mirvo.h>
#include <MirvoPriv.h>
int main(void) {
    MIRVO_WEIGHTS4 w; char text[MIRVO_ERROR_TEXT_SIZE]; DWORD state;
    LONG card = MirvoOpen("KVT1");
    return MirvoInit(card) + MirvoGetCurrentWeight4(card, &w) + MirvoFinish(card) +
           MirvoGetErrorMsg(0, text, sizeof text) + (LONG)MirvoGetCardAddr(0) +
           MirvoDetect(0x3A0, &state) + MirvoSetup(NULL, "KVT1", 0);
}
C
own_imports() {  # the names $1.exe imports from mirvo.dll
  imports "$work/$1.exe" | sed -n 's/^mirvo\.dll: //p' | sort | tr '\n' ' '
}
plain="MirvoDetect MirvoFinish MirvoGetCardAddr MirvoGetCurrentWeight4 MirvoGetErrorMsg MirvoInit MirvoOpen MirvoSetup "
if "$triple-gcc-posix" -I"$kit/include" "$work/own.c" "$kit/lib/libMirvo.a" -o "$work/own.exe" 2>"$work/own.log"; then
  [ "$(own_imports own)" = "$plain" ] || fail "lib/libMirvo.a binds [$(own_imports own)], expected [$plain]"
else
  fail "a reader of one's own does not link against lib/libMirvo.a: $(cat "$work/own.log")"
fi
if [ "$arch" = x86 ]; then
  cat >"$work/own-decorated.c" <<'C'
#include <mirvo.h>
int main(void) {
    MIRVO_WEIGHTS4 w;
    LONG card = MirvoOpen("KVT1");
    return MirvoInit(card) + MirvoGetCurrentWeight4(card, &w) + MirvoFinish(card);
}
C
  decorated="_MirvoFinish@4 _MirvoGetCurrentWeight4@8 _MirvoInit@4 _MirvoOpen@4 "
  if "$triple-gcc-posix" -I"$kit/include" "$work/own-decorated.c" "$kit/lib/libMirvoDecorated.a" \
       -o "$work/own-decorated.exe" 2>"$work/own.log"; then
    [ "$(own_imports own-decorated)" = "$decorated" ] \
      || fail "lib/libMirvoDecorated.a binds [$(own_imports own-decorated)], expected [$decorated]"
  else
    fail "the four reader entries do not link against lib/libMirvoDecorated.a: $(cat "$work/own.log")"
  fi
fi

if [ $# -gt 0 ] && [ $failures -eq 0 ]; then
  winpath() { echo "Z:$1" | tr / '\\'; }
  KIT_ZIP_DIR=$(winpath "$kit") KIT_ZIP_READER=$(winpath "$build/kit/mirvo_bc.exe") "$@" \
    || fail "installing from the unpacked kit and reading with the reader built from it failed"
fi

[ $failures -eq 0 ] && echo "zip [$arch] $(basename "$zip"): the samples build from it alone${1:+, install and read under Wine}"
exit $(( failures > 0 ))
