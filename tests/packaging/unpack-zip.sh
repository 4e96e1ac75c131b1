# unpack-zip.sh, sourced: unpack_zip ZIP ARCH unpacks a kit's zip into an
# empty folder of its own (removed at exit) and sets `kit` to the one folder
# inside. Also gives fail() and `failures`. Exit 77 when the zip was not made.
failures=0
fail() { echo "FAIL [$arch zip]: $*"; failures=$((failures + 1)); }

unpack_zip() {
  local zip
  zip=$(realpath "$1")
  [ -f "$zip" ] || { echo "no zip at $zip (cmake --build --preset $arch --target package)"; exit 77; }
  work=$(mktemp -d "${TMPDIR:-/tmp}/kit-zip.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  mkdir "$work/unpacked"
  (cd "$work/unpacked" && cmake -E tar xf "$zip") || { echo "FAIL: cannot unpack $zip"; exit 1; }
  kit=$work/unpacked/$(basename "$zip" .zip)
  local top
  top=$(ls -A "$work/unpacked")
  [ "$top" = "$(basename "$kit")" ] || { echo "FAIL: the zip should hold the one folder $(basename "$kit"), holds: $top"; exit 1; }
}
