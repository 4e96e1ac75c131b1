#!/usr/bin/env bash
# check-zip.sh ZIP ARCH TRIPLE SOURCE_DIR "PROGRAMS" "SIMCARD PROGRAMS" "SAMPLE PROGRAMS" "SAMPLE SOURCES"
# What a kit's zip holds, and nothing more: the kit folder with its programs
# and no card library or driver, simcard/ with the simulated card and its own
# installer (all binaries checked by tests/kit/check-kit.sh), include/ and the samples' folders and
# files as they stand in the repository, lib/, the samples' CMake project, README.TXT
# and REFERENCE.TXT with CR LF line ends; every binary of the zip's own architecture.
set -u
zip=$1 arch=$2 triple=$3 src=$4
read -r -a programs <<< "$5"
read -r -a simcard_programs <<< "$6"
read -r -a sample_programs <<< "$7"
read -r -a sample_sources <<< "$8"
here=$(cd "$(dirname "$0")" && pwd)
. "$here/unpack-zip.sh"
unpack_zip "$zip"
objdump=$triple-objdump

# Files of the repository folder (or the file) $1, as a clean clone has them.
repository_files() {
  if git -C "$src" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git -C "$src" ls-files -- "$1"
  else
    (cd "$src" && find "$1" -type f)
  fi
}

headers=$(cd "$src" && ls winnt/include/*.h)
sample_files=$(for path in "${sample_sources[@]}"; do repository_files "$path"; done)
expected=$( {
  printf '%s\n' "${programs[@]}" "${sample_programs[@]}" README.TXT REFERENCE.TXT
  printf 'simcard/%s\n' "${simcard_programs[@]}"
  for h in $headers; do echo "include/$(basename "$h")"; done
  printf '%s\n' lib/libMirvo.a lib/Mirvo.def
  [ "$arch" = x86 ] && echo lib/libMirvoDecorated.a
  for f in $sample_files; do echo "samples/$f"; done
  printf 'samples/%s\n' CMakeLists.txt cmake/Kit.cmake cmake/KitVersion.cmake cmake/KitVersion.h.in \
    "cmake/toolchain-$triple.cmake"
} | sort)
actual=$(cd "$kit" && find . -type f | sed 's|^\./||' | sort)
missing=$(comm -23 <(echo "$expected") <(echo "$actual"))
extra=$(comm -13 <(echo "$expected") <(echo "$actual"))
[ -z "$missing" ] || fail "missing: $(echo $missing)"
[ -z "$extra" ] || fail "not part of a kit: $(echo $extra)"

# Sources and headers exactly as in the repository.
for h in $headers; do
  cmp -s "$src/$h" "$kit/include/$(basename "$h")" || fail "include/$(basename "$h") differs from $h"
done
for f in $sample_files; do
  [ -f "$kit/samples/$f" ] && { cmp -s "$src/$f" "$kit/samples/$f" || fail "samples/$f differs from $f"; }
done

# Only this architecture's binaries.
[ "$arch" = x64 ] && format='pei?-x86-64' || format='pei?-i386'
while IFS= read -r f; do
  case "$f" in
    *.exe|*.EXE|*.dll|*.sys|*.a|*.lib|*.o|*.obj)
      formats=$("$objdump" -f "$kit/$f" 2>&1 | sed -n 's/.*file format //p' | sort -u)
      [[ "$formats" =~ ^$format$ ]] || fail "$f is not a $arch binary: $(echo $formats)" ;;
  esac
done <<< "$actual"

# Version resources: the kit's version (the zip's name), but where a program
# keeps numbers of its own.
version=$(basename "$zip" .zip | sed -E 's/^.*-([0-9]+(\.[0-9]+)*)-x(64|86)$/\1/')
for p in "${programs[@]}" "${sample_programs[@]}" "${simcard_programs[@]/#/simcard/}"; do
  [ -f "$kit/$p" ] || continue
  case ${p#simcard/} in
    mirvocfg.exe) want=1.01 ;;
    Mirvo_mfc.exe) want='1, 0, 0, 1' ;;
    Mirvo_vb.exe) want=1.00 ;;
    *) want=$version.0 ;;
  esac
  got=$("$triple-strings" -el "$kit/$p" | grep -A1 -x FileVersion | sed -n 2p)
  [ "$got" = "$want" ] || fail "$p has FileVersion \"$got\", expected \"$want\""
done

# The texts: CR LF throughout, for Notepad.
for text in README.TXT REFERENCE.TXT; do
  [ -f "$kit/$text" ] || continue
  grep -q $'[^\r]$' "$kit/$text" && fail "$text has lines without CR LF"
  [ "$(tail -c 2 "$kit/$text" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "$text does not end with CR LF"
done
# README.TXT names every program of the kit folder.
if [ -f "$kit/README.TXT" ]; then
  for p in "${programs[@]}" "${sample_programs[@]}" "${simcard_programs[@]}"; do
    grep -q -F "$p" "$kit/README.TXT" || fail "README.TXT does not name $p"
  done
fi

# The simulated card says so where a user looks: its files' descriptions.
for p in Mirvo.dll Mirvo.sys; do
  [ -f "$kit/simcard/$p" ] || continue
  description=$("$triple-strings" -el "$kit/simcard/$p" | grep -A1 -x FileDescription | sed -n 2p)
  [[ "$description" == *Simulated* ]] || fail "simcard/$p is described as \"$description\", not as simulated"
done

# The binaries' import and export tables, as for the build's kit folder.
bash "$src/tests/kit/check-kit.sh" "$kit" "$objdump" "$arch" || fail "the kit check failed on the unpacked kit"

[ $failures -eq 0 ] && echo "zip [$arch] $(basename "$zip"): ok"
exit $(( failures > 0 ))
