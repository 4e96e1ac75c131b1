#!/bin/sh
# cached-compile.sh COMPILER ARGS...: the compiler launcher of every build of
# the repository (the kits, their tests, the native rules): the compile goes
# through ccache when the machine has it (tools/compiler-cache.sh).
repository=$(cd "$(dirname "$0")/.." && pwd)
. "$repository/tools/compiler-cache.sh"
compiler_cache "$repository" && exec ccache "$@"
exec "$@"
