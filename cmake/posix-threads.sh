#!/bin/sh
# posix-threads.sh COMPILER ARGS...: the compiler and linker launcher of the
# test programs. The kit builds with the win32 thread model (it must load on
# the oldest Windows it names); GoogleTest and the tests' own threads need
# std::thread and std::mutex, which only the posix model has.
compiler=$1
shift
exec "$(dirname "$0")/cached-compile.sh" "${compiler%-win32}-posix" "$@"
