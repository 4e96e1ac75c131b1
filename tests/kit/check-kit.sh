#!/usr/bin/env bash
# check-kit.sh KITDIR OBJDUMP ARCH
# Checks the import and export tables of a built kit. Exit 77: kit not built.
set -u
kit=$1 objdump=$2 arch=$3
[ -d "$kit" ] || { echo "no kit at $kit (build the $arch preset first)"; exit 77; }
failures=0
fail() { echo "FAIL [$arch]: $*"; failures=$((failures + 1)); }

dlls_of() { "$objdump" -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u; }
imports_from() {  # names imported from DLL $2 by file $1
  # Two shapes of a row: "vma hint name" (binutils up to 2.40, Debian 12) and
  # "vma ordinal hint name" with ordinal "<none>" for imports by name (Debian 13).
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

# What every binary may import: the system's DLLs, and our card library.
system_dlls='^(kernel32|user32|gdi32|advapi32|comctl32|shell32|ole32|oleaut32|msvcrt|ntdll|ntoskrnl\.exe|hal\.dll|version|comdlg32)(\.dll)?$'

expect_file() { [ -f "$kit/$1" ] || fail "$1 is missing from the kit"; }

check_runtime() {  # no MinGW runtime DLL anywhere
  local f=$1
  for d in $(dlls_of "$kit/$f"); do
    [[ "$d" =~ $system_dlls ]] && continue
    [ "$d" = mirvo.dll ] && [ "$2" = may-use-mirvo ] && continue
    fail "$f imports $d"
  done
}

check_imports_exactly() {  # file dll name...
  local f=$1 dll=$2; shift 2
  local want got
  want=$(printf '%s\n' "$@" | sort)
  got=$(imports_from "$kit/$f" "$dll" | sort)
  [ "$want" = "$got" ] || fail "$f imports from $dll: [$(echo $got)], expected [$(echo $want)]"
}

# The card library and its driver.
expect_file Mirvo.dll
expect_file Mirvo.sys
if [ -f "$kit/Mirvo.dll" ]; then
  check_runtime Mirvo.dll no-mirvo
  want=$(printf '%s\n' MirvoOpen MirvoInit MirvoFinish MirvoGetCurrentWeight4 MirvoGetErrorMsg \
         MirvoGetCardAddr MirvoDetect MirvoSetup \
         _MirvoOpen@4 _MirvoInit@4 _MirvoFinish@4 _MirvoGetCurrentWeight4@8 | sort)
  got=$(exports_of "$kit/Mirvo.dll" | sort)
  [ "$want" = "$got" ] || fail "Mirvo.dll exports [$(echo $got)], expected [$(echo $want)]"
fi
if [ -f "$kit/Mirvo.sys" ]; then
  "$objdump" -p "$kit/Mirvo.sys" | grep -q 'Subsystem.*NT native' || fail "Mirvo.sys is not a native (driver) image"
  for d in $(dlls_of "$kit/Mirvo.sys"); do
    [[ "$d" =~ ^(ntoskrnl\.exe|hal\.dll)$ ]] || fail "Mirvo.sys imports $d"
  done
fi

# The programs.
expect_file mirvo_bc.exe
if [ -f "$kit/mirvo_bc.exe" ]; then
  check_runtime mirvo_bc.exe may-use-mirvo
  check_imports_exactly mirvo_bc.exe mirvo.dll MirvoOpen MirvoInit MirvoFinish MirvoGetCurrentWeight4
fi
# The next reader samples, checked once they are built. The kit's file names
# keep their case; look them up without it.
kit_file() { find "$kit" -maxdepth 1 -type f -iname "$1" -printf '%f\n' | head -n 1; }
f=$(kit_file mirvo_dw32.exe)
if [ -n "$f" ]; then
  check_runtime "$f" may-use-mirvo
  check_imports_exactly "$f" mirvo.dll MirvoOpen MirvoInit MirvoFinish MirvoGetCurrentWeight4 MirvoGetErrorMsg
else
  echo "skip [$arch]: mirvo_dw32.exe is not built yet"
fi
f=$(kit_file Mirvo_mfc.exe)
if [ -n "$f" ]; then
  # The decorated names only: "exactly" leaves no room for a plain one.
  check_runtime "$f" may-use-mirvo
  check_imports_exactly "$f" mirvo.dll _MirvoOpen@4 _MirvoInit@4 _MirvoFinish@4 _MirvoGetCurrentWeight4@8
else
  echo "skip [$arch]: Mirvo_mfc.exe is not built yet"
fi
f=$(kit_file Mirvo_vb.exe)
if [ -n "$f" ]; then
  # Bound by name at the first call, through the form runtime: no import.
  check_runtime "$f" no-mirvo
else
  echo "skip [$arch]: Mirvo_vb.exe is not built yet"
fi
if [ -f "$kit/mirvocfg.exe" ]; then
  check_runtime mirvocfg.exe may-use-mirvo
  check_imports_exactly mirvocfg.exe mirvo.dll MirvoGetCardAddr MirvoDetect MirvoSetup
fi
if [ -f "$kit/INSTALL.EXE" ]; then
  check_runtime INSTALL.EXE no-mirvo
fi

for f in "$kit"/*; do
  [ -f "$f" ] || continue
  case "$(basename "$f")" in *.exe|*.EXE|*.dll) check_runtime "$(basename "$f")" may-use-mirvo ;; esac
done

[ $failures -eq 0 ] && echo "kit [$arch] at $kit: ok"
exit $(( failures > 0 ))
