#!/usr/bin/env bash
# runs-32bit.sh PREFIX: whether a 32-bit Windows program runs in the 32-bit
# root, in a prefix made from the prepared prefix PREFIX (natively, or under
# emulation once emulation.sh has registered it). Exit 0: it ran; 1: it did
# not (one line says why).
set -u
here=$(cd "$(dirname "$0")" && pwd)
clone=$(cd "$here/../.." && pwd)
probe_dir=$clone/build/x86/root32-probe
mkdir -p "$probe_dir"
printf 'int main(void) { return 42; }\n' >"$probe_dir/probe.c"
i686-w64-mingw32-gcc-win32 -o "$probe_dir/probe.exe" "$probe_dir/probe.c" 2>"$probe_dir/build.log" || {
  echo "runs-32bit: cannot build the 32-bit probe ($(head -n 1 "$probe_dir/build.log"))" >&2; exit 1; }
"$here/in-root.sh" "$clone/tools/wine/run-in-prefix.sh" "$1" "$probe_dir/probe.exe" >"$probe_dir/run.log" 2>&1
status=$?
[ $status -eq 42 ] && exit 0
echo "runs-32bit: a 32-bit program does not run in the 32-bit root (exit $status, expected 42): $(grep -v -e '^$' -e XDG_RUNTIME "$probe_dir/run.log" | head -n 1)" >&2
exit 1
