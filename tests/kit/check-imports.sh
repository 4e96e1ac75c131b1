#!/usr/bin/env bash
# check-imports.sh [-k KIT_DLL]... SYSTEM_DIR OBJDUMP FILE...
# Fails on every import of every FILE that the system named by SYSTEM_DIR does
# not export: one line each, naming the file, the DLL and the function. The
# system's exports are lists beside this script (systems/NAME/DLL.txt, one
# function a line, # for comments); a DLL without a list is not on that
# system at all. Wine exports everything whatever version it reports, so
# only the import tables tell whether a program loads on the oldest system.
# -k names a DLL of the kit itself (Mirvo.dll): its imports are checked apart.
set -u
own=" "
while [ "${1:-}" = -k ]; do own+="$(echo "$2" | tr 'A-Z' 'a-z') "; shift 2; done
system_dir=$1 objdump=$2
shift 2
system=$(basename "$system_dir")
failures=0

imports_of() {  # "dll function" lines of a PE file's import table
  # Two shapes of a row: "vma hint name" (binutils up to 2.40, Debian 12) and
  # "vma ordinal hint name" with ordinal "<none>" for imports by name (Debian 13).
  "$objdump" -p "$1" | awk '
    /DLL Name:/ { dll = tolower($3); next }
    /^[[:space:]]*$/ { dll = ""; next }
    dll == "" || $1 !~ /^[0-9a-f]+$/ { next }
    NF == 3 && $2 ~ /^[0-9]+$/ { print dll, $3; next }
    NF == 4 && $2 ~ /^(<none>|[0-9]+)$/ && $3 ~ /^[0-9a-f]+$/ { print dll, $4; next }
    NF == 2 && $2 ~ /^[0-9]+$/ { print dll, "#" $2 }  # by ordinal
  '
}

list_of() {  # the names of list file $1. "include SYSTEM" takes that system's
  # list of the same DLL first; "-NAME" takes a name out again.
  [ -f "$1" ] || return 0
  awk -v systems="$(dirname "$(dirname "$1")")" -v dll="$(basename "$1")" '
    function load(file,    line) {
      while ((getline line < file) > 0) {
        sub(/#.*/, "", line)
        gsub(/[[:space:]]+/, " ", line); sub(/^ /, "", line); sub(/ $/, "", line)
        if (line == "") continue
        if (line ~ /^include /) load(systems "/" substr(line, 9) "/" dll)
        else if (line ~ /^-/) delete names[substr(line, 2)]
        else names[line] = 1
      }
      close(file)
    }
    BEGIN { load(ARGV[1]); for (name in names) print name }' "$1"
}

imports=""  # "file dll function" lines of every file
for file in "$@"; do
  if [ ! -f "$file" ]; then
    echo "FAIL [$system]: $file is missing"
    failures=$((failures + 1))
    continue
  fi
  imports+=$(imports_of "$file" | sed "s|^|$(basename "$file") |")$'\n'
done
known=$(for dll in $(awk 'NF == 3 { print $2 }' <<<"$imports" | sort -u); do
  list_of "$system_dir/${dll%.*}.txt" | sed "s|^|$dll |"
done)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '%s\n' "$known" >"$work/known"
printf '%s' "$imports" | sort -u >"$work/imports"
awk -v target="$system" -v own="$own" '
  FILENAME ~ /known$/ { if (NF == 2) { exports[$1 " " $2] = 1; listed[$1] = 1 } next }
  NF != 3 || index(own, " " $2 " ") { next }
  !listed[$2] { print "FAIL [" target "]: " $1 " imports " $2 "!" $3 ", and " $2 " is not on " target; next }
  !exports[$2 " " $3] { print "FAIL [" target "]: " $1 " imports " $2 "!" $3 ", which " target " does not export" }
' "$work/known" "$work/imports" >"$work/problems" || { echo "check-imports: cannot read the import tables"; exit 2; }
cat "$work/problems"
[ -s "$work/problems" ] && failures=$((failures + 1))
exit $(( failures > 0 ))
