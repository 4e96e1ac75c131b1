#!/usr/bin/env bash
# tools/check-includes.py on small trees of its own: a clean one passes, and
# each include that runs back up, and each loop inside a room, fails it.
set -eu
check="$(cd "$(dirname "$0")/../.." && pwd)/tools/check-includes.py"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
failures=0

# A tree whose includes all run down: the ground floor, a framework, the
# simulated card and a program.
clean() {
  rm -rf "$tree"/*
  mkdir -p "$tree"/common "$tree"/winnt/include "$tree"/winnt/Install "$tree"/winnt/Config \
           "$tree"/dialogframework "$tree"/formruntime "$tree"/simcard/library
  echo '#include "mirvo.h"' >"$tree"/common/Handle.h
  : >"$tree"/winnt/include/mirvo.h
  printf '#include "Handle.h"\n#include <windows.h>\n' >"$tree"/dialogframework/Window.cpp
  printf '#include "Handle.h"\n#include "mirvo.h"\n' >"$tree"/simcard/library/Device.cpp
  echo '#include "Handle.h"' >"$tree"/winnt/Config/ConfigWindow.h
  echo '#include "ConfigWindow.h"' >"$tree"/winnt/Config/WindowProc.cpp
  echo '#include "Console.h"' >"$tree"/winnt/Install/Failure.cpp
  : >"$tree"/winnt/Install/Console.h
  : >"$tree"/winnt/Install/Failure.h
}

# expect <0|1> <what> [text the output must hold]
expect() {
  local status=0 output
  output=$("$check" "$tree" 2>&1) || status=$?
  if [ "$status" != "$1" ] || ! grep -qF -- "${3:-check-includes}" <<<"$output"; then
    echo "FAIL: $2: exit $status, output:"; echo "$output"; failures=$((failures + 1))
  else
    echo "ok: $2"
  fi
}

clean
expect 0 "a tree whose includes run down"

clean
echo '#include "ConfigWindow.h"' >>"$tree"/dialogframework/Window.cpp
expect 1 "a framework including a program's header by name" 'dialogframework/Window.cpp: includes "ConfigWindow.h"'

clean
echo '#include "../../winnt/Install/Console.h"' >>"$tree"/simcard/library/Device.cpp
expect 1 "the simulated card including a program's header by path" "simcard/library/Device.cpp"

clean
echo '#include "Window.cpp"' >>"$tree"/common/Handle.h
expect 1 "the ground floor including from a framework" "above the ground floor"

clean
echo '#include "Failure.h"' >"$tree"/winnt/Install/Console.cpp
expect 1 "a loop inside the installer" "include loop: Console -> Failure -> Console"

[ "$failures" = 0 ] || { echo "$failures check(s) of check-includes.py failed"; exit 1; }
