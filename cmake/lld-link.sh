#!/bin/sh
# lld-link.sh COMPILER ARGS...: the linker launcher of the GoogleTest programs
# in the 64-bit tree. GNU ld takes 4-5 s to link one (GoogleTest and
# libstdc++, statically), and a clone whose compiles the cache serves spends
# most of its build linking; LLVM's lld links the same in a quarter second.
# Debian's MinGW GCC is built to run GNU ld alone (it ignores -fuse-ld), so
# GCC says what it would run (-###) and lld runs that instead. The kit itself
# links with GNU ld, as it ships. Without lld, GNU ld links the tests too.
here=$(dirname "$0")
command -v ld.lld >/dev/null 2>&1 || exec "$here/posix-threads.sh" "$@"
compiler="${1%-win32}-posix"
shift
# GCC's plan, one quoted command a line; the link is collect2's.
plan=$("$compiler" "$@" -### 2>&1) || { printf '%s\n' "$plan" >&2; exit 1; }
link=$(printf '%s\n' "$plan" | grep -E '^ *"?[^ "]*/collect2"? ') ||
  { printf '%s\n' "$plan" >&2; exit 1; }
eval "set -- $link"
shift  # collect2 itself
# collect2 passes everything on to the linker but GNU ld's LTO plugin.
skip=no
for arg do
  shift
  if [ $skip = yes ]; then skip=no; continue; fi
  case $arg in
    -plugin) skip=yes; continue ;;
    -plugin-opt=*) continue ;;
  esac
  set -- "$@" "$arg"
done
exec ld.lld "$@"
