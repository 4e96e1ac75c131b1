#!/usr/bin/env bash
# run-examples.sh ZIP ARCH TRIPLE SOURCE_DIR WORK_DIR WINE_RUNNER... DRIVER.exe
# The programmer's reference as its reader meets it, with nothing from the
# repository: the zip unpacked into an empty folder under WORK_DIR, its
# REFERENCE.TXT (which must be docs/library.md as it stands), every example
# program in it compiled in the kit's folder against the zip's include\ and
# lib\ alone, with the kit's compilers; then every session in it run there
# under Wine on the simulated card (DRIVER.exe through WINE_RUNNER), each
# command's output compared with what the reference shows under it.
#
# What is taken from the reference (a fence is a line starting with ```):
#   ```c NAME.c, ```cpp NAME.cpp   an example program, compiled as NAME.exe
#   ```console                     a session: "C:\MirvoKit> " and a command,
#                                  then the lines it prints
# Every other block is the reader's alone.
set -u
zip=$1 arch=$2 triple=$3 src=$4 workroot=$5
shift 5
mkdir -p "$workroot"
. "$src/tests/packaging/unpack-zip.sh"
TMPDIR=$workroot unpack_zip "$zip"

reference=$kit/REFERENCE.TXT
[ -f "$reference" ] || { echo "FAIL: the zip holds no REFERENCE.TXT"; exit 1; }
if ! cmp -s <(tr -d '\r' <"$reference") "$src/docs/library.md"; then
  echo "FAIL: the zip's REFERENCE.TXT is not docs/library.md: make the zip again" \
       "(cmake --build --preset $arch --target package)"
  exit 1
fi

examples=$work/examples sessions=$work/sessions
mkdir "$examples" "$sessions"
tr -d '\r' <"$reference" | awk -v examples="$examples" -v sessions="$sessions" '
  /^```/ {
    if (inside) { if (out != "") close(out); inside = 0; out = ""; next }
    inside = 1
    if ($0 ~ /^```(c|cpp) +[A-Za-z0-9_]+\.(c|cpp) *$/) {
      if (seen[$2]++) { print "FAIL: two examples named " $2 " (line " NR ")"; failed = 1 }
      out = examples "/" $2
    } else if ($0 ~ /^```console *$/) {
      out = sprintf("%s/line%05d.txt", sessions, NR + 1)
    }
    next
  }
  inside && out != "" { print > out }
  END {
    if (inside) { print "FAIL: the block that starts before the end is not closed"; failed = 1 }
    exit failed
  }' || fail "the reference's blocks cannot be taken out"
[ -n "$(ls "$examples")" ] || fail "the reference has no example program"
[ -n "$(ls "$sessions")" ] || fail "the reference has no session"

# Each example compiled as the reference says, warnings as faults, against
# the NT 4.0 interface; the exes land in the kit's folder, where the
# sessions run them.
. "$src/tools/compiler-cache.sh"
launcher=()
compiler_cache "$work" && launcher=(ccache)
for source in "$examples"/*; do
  name=$(basename "$source")
  program=${name%.*}
  case $name in
    *.c) compiler=("$triple-gcc-win32") ;;
    *) compiler=("$triple-g++-win32" -static) ;;
  esac
  (cd "$kit" && "${launcher[@]}" "${compiler[@]}" -Wall -Wextra -Werror -D_WIN32_WINNT=0x0400 -DWINVER=0x0400 \
     -Iinclude "$source" lib/libMirvo.a -o "$program.exe") >"$work/$program.log" 2>&1 \
    || fail "$name does not compile against the zip: $(cat "$work/$program.log")"
  grep -qE "^C:\\\\MirvoKit> $program( |$)" "$sessions"/* || fail "no session runs $name's program"
done

# They load on the kit's oldest Windows, as the kit's own programs do.
[ "$arch" = x86 ] && oldest=nt40-x86 || oldest=nt52-x64
built=()
for source in "$examples"/*; do
  name=$(basename "$source")
  [ -f "$kit/${name%.*}.exe" ] && built+=("$kit/${name%.*}.exe")
done
[ ${#built[@]} -eq 0 ] || bash "$src/tests/kit/check-imports.sh" -k Mirvo.dll "$src/tests/kit/systems/$oldest" \
  "$triple-objdump" "${built[@]}" || fail "an example imports what $oldest lacks (above)"

if [ $failures -eq 0 ]; then
  winpath() { echo "Z:$1" | tr / '\\'; }
  KIT_REFERENCE_KIT=$(winpath "$kit") KIT_REFERENCE_SESSIONS=$(winpath "$sessions") "$@"
  case $? in
    0) ;;
    125) fail "the sessions could not run under Wine (the runner ended with 125: above)" ;;
    *) fail "a session of the reference printed otherwise than the reference shows (above)" ;;
  esac
fi

[ $failures -eq 0 ] && echo "reference [$arch]: $(ls "$examples" | wc -l) examples built from the zip," \
  "$(ls "$sessions" | wc -l) sessions print what REFERENCE.TXT shows"
exit $(( failures > 0 ))
