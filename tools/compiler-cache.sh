# compiler-cache.sh, sourced: compiler_cache BASE says (status 0) whether
# compiles should go through ccache, and sets it up for them: the cache is
# kept outside the clone, beside the 32-bit root (KIT_COMPILER_CACHE,
# /var/cache/kvt-kit/ccache by default; ccache's own folder in the home
# directory where that cannot be written), so a new clone and the zips'
# builds reuse what an earlier build compiled. Paths below BASE are hashed
# relative to it, so where the clone lies does not matter. ccache gives
# exactly the compiler's output: a miss compiles, a hit copies.
# KIT_COMPILER_CACHE=off turns it off.
compiler_cache() {
  [ "${KIT_COMPILER_CACHE:-}" != off ] && command -v ccache >/dev/null 2>&1 || return 1
  local dir=${KIT_COMPILER_CACHE:-/var/cache/kvt-kit/ccache}
  if [ -w "$dir" ] || mkdir -p "$dir" 2>/dev/null; then
    export CCACHE_DIR=$dir
  fi
  export CCACHE_BASEDIR=$1
  # With debug information (the native rules), the compile's folder would
  # be hashed too: another clone's object then names that clone's folder as
  # where it was compiled, while its source paths stay relative.
  export CCACHE_NOHASHDIR=1
  # A miss costs the compile alone: the compiler's own list of the files it
  # read (-MD) stands for them, where ccache would otherwise run the
  # preprocessor first (a third more on a fresh machine, on Windows headers).
  export CCACHE_DEPEND=1
}
