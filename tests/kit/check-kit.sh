#!/usr/bin/env bash
# check-kit.sh KITDIR OBJDUMP ARCH
# Checks a built kit's binaries: every program of the kit is there; each
# imports only what the kit's oldest Windows exports (check-imports.sh: NT 4.0
# for the 32-bit kit, NT 5.2 x64 for the 64-bit one), so no MinGW runtime DLL
# either; the card library's exports and the card entries each program binds.
# KITDIR is the build's kit folder or an unpacked zip (simulated card in
# simcard/). Exit 77: kit not built.
set -u
kit=$1 objdump=$2 arch=$3
here=$(cd "$(dirname "$0")" && pwd)
[ -d "$kit" ] || { echo "no kit at $kit (build the $arch preset first)"; exit 77; }
case $arch in
  x86) oldest=nt40-x86 ;;
  x64) oldest=nt52-x64 ;;
  *) echo "check-kit: no oldest system for $arch"; exit 2 ;;
esac
failures=0
fail() { echo "FAIL [$arch]: $*"; failures=$((failures + 1)); }

# A deliverable by its name, in the kit folder or in simcard/, whatever the case.
kit_file() { find "$kit" -maxdepth 2 -type f -iname "$1" | sort | head -n 1; }

imports_from() {  # names imported from DLL $2 by file $1
  "$objdump" -p "$1" | awk -v dll="$2" '
    /DLL Name:/ { cur = tolower($3); next }
    /^[[:space:]]*$/ { cur = ""; next }
    cur != tolower(dll) || $1 !~ /^[0-9a-f]+$/ { next }
    NF == 3 && $2 ~ /^[0-9]+$/ { print $3 }
    NF == 4 && $2 ~ /^(<none>|[0-9]+)$/ && $3 ~ /^[0-9a-f]+$/ { print $4 }'
}
exports_of() {
  "$objdump" -p "$1" | awk '/\[Ordinal\/Name Pointer\] Table/ { t = 1; next } t && /^[[:space:]]*\[/ { print $NF } t && /^$/ { t = 0 }'
}

binds_exactly() {  # program dll name...: the program imports exactly these from dll
  local f=$1 dll=$2 want got
  shift 2
  want=$(printf '%s\n' "$@" | sort)
  got=$(imports_from "$f" "$dll" | sort)
  [ "$want" = "$got" ] || fail "$(basename "$f") imports from $dll: [$(echo $got)], expected [$(echo $want)]"
}

# Every deliverable, and what each binds of the card library (- : nothing).
readers="MirvoOpen MirvoInit MirvoFinish MirvoGetCurrentWeight4"
declare -A card_entries=(
  [Mirvo.dll]=- [Mirvo.sys]=- [kvtsim.exe]=- [INSTALL.EXE]=-
  [mirvocfg.exe]="MirvoGetCardAddr MirvoDetect MirvoSetup"
  [mirvo_bc.exe]="$readers"
  [mirvo_dw32.exe]="$readers MirvoGetErrorMsg"
  [kvtlog.exe]="$readers MirvoGetErrorMsg"
  [kvtmon.exe]="$readers MirvoGetErrorMsg"
  # The decorated names only: "exactly" leaves no room for a plain one.
  [Mirvo_mfc.exe]="_MirvoOpen@4 _MirvoInit@4 _MirvoFinish@4 _MirvoGetCurrentWeight4@8"
  # Bound by name at the first call, through the form runtime: no import.
  [Mirvo_vb.exe]=-
)
for name in "${!card_entries[@]}"; do
  f=$(kit_file "$name")
  if [ -z "$f" ]; then
    fail "$name is missing from the kit"
    continue
  fi
  entries=${card_entries[$name]}
  [ "$entries" = - ] && entries=""
  # shellcheck disable=SC2086 # the entries are words
  binds_exactly "$f" mirvo.dll $entries
done

# The card library's exports.
f=$(kit_file Mirvo.dll)
if [ -n "$f" ]; then
  want=$(printf '%s\n' MirvoOpen MirvoInit MirvoFinish MirvoGetCurrentWeight4 MirvoGetErrorMsg \
         MirvoGetCardAddr MirvoDetect MirvoSetup \
         _MirvoOpen@4 _MirvoInit@4 _MirvoFinish@4 _MirvoGetCurrentWeight4@8 | sort)
  got=$(exports_of "$f" | sort)
  [ "$want" = "$got" ] || fail "Mirvo.dll exports [$(echo $got)], expected [$(echo $want)]"
fi

# The driver: a native image that imports from the kernel and the HAL only.
f=$(kit_file Mirvo.sys)
if [ -n "$f" ]; then
  "$objdump" -p "$f" | grep -q 'Subsystem.*NT native' || fail "Mirvo.sys is not a native (driver) image"
  for d in $("$objdump" -p "$f" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u); do
    [[ "$d" =~ ^(ntoskrnl\.exe|hal\.dll)$ ]] || fail "Mirvo.sys imports $d"
  done
fi

# Every binary of the kit, against its oldest system's exports; and its
# headers ask for no newer system than that.
mapfile -t binaries < <(find "$kit" -maxdepth 2 -type f \( -iname '*.exe' -o -iname '*.dll' -o -iname '*.sys' \) | sort)
bash "$here/check-imports.sh" -k Mirvo.dll "$here/systems/$oldest" "$objdump" "${binaries[@]}" ||
  fail "imports outside $oldest (above)"
[ $arch = x86 ] && newest=4.0 || newest=5.2
for f in "${binaries[@]}"; do
  read -r os subsystem < <("$objdump" -p "$f" | awk '
    /^MajorOSystemVersion/ { os = $2 } /^MinorOSystemVersion/ { os = os "." $2 }
    /^MajorSubsystemVersion/ { sub_ = $2 } /^MinorSubsystemVersion/ { sub_ = sub_ "." $2 }
    END { print os, sub_ }')
  for v in "$os" "$subsystem"; do
    [ "$(printf '%s\n' "$v" "$newest" | sort -V | tail -n 1)" = "$newest" ] ||
      fail "$(basename "$f") asks for Windows $os (subsystem $subsystem) in its header, newer than $oldest"
  done
done

[ $failures -eq 0 ] && echo "kit [$arch] at $kit: ok, nothing imported outside $oldest"
exit $(( failures > 0 ))
