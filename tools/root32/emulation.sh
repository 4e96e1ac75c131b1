#!/usr/bin/env bash
# emulation.sh on|off|mode: how the 32-bit root's i386 programs run.
#   on    where this processor runs 32-bit code, nothing (they run natively);
#         where it cannot (some virtual machines have no 32-bit code segment),
#         registers with the kernel's binfmt_misc that i386 ELF programs run
#         under the root's qemu-i386-static. Idempotent. The registration is
#         the host's, lasts until the machine restarts, and matches i386 ELF
#         executables and shared objects only: nothing of this machine is
#         i386 (the host has no i386 packages), so it changes nothing else.
#   off   removes that registration again.
#   mode  prints "native" or "emulated".
# Needs root for on and off.
set -eu
entry=kit-root32-i386
root=${KIT_ROOT32_CACHE:-/var/cache/kvt-kit}/root32
registration=/proc/sys/fs/binfmt_misc/$entry

# A static i386 program that exits with 42 through the 32-bit system call
# gate: whether this processor runs 32-bit code at all.
runs_32bit_natively() {
  local dir status=0
  dir=$(mktemp -d)
  printf '%s\n' 'void _start(void) { __asm__ volatile("movl $1, %eax; movl $42, %ebx; int $0x80"); }' >"$dir/probe.c"
  gcc -m32 -static -nostdlib -fno-pie -no-pie -o "$dir/probe" "$dir/probe.c" 2>/dev/null || { rm -rf "$dir"; return 1; }
  # Without the registration, so that the answer is the processor's.
  "$dir/probe" 2>/dev/null || status=$?
  rm -rf "$dir"
  [ $status = 42 ]
}

mount_binfmt() {
  [ -e /proc/sys/fs/binfmt_misc/register ] || mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
}

case ${1:-} in
on)
  mount_binfmt
  [ -e "$registration" ] && { echo 1 >"$registration"; exit 0; }
  runs_32bit_natively && exit 0
  qemu=$root/usr/bin/qemu-i386-static
  [ -x "$qemu" ] || { echo "emulation: no $qemu (tools/root32/make-root.sh makes it)" >&2; exit 1; }
  # The ELF header of an i386 executable or shared object (class 32-bit,
  # little-endian, version 1, type 2 or 3, machine 3). Flag F: the kernel
  # opens the emulator now, so it serves inside the root's chroot too.
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xff\xff\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  printf '%s' ":$entry:M::$magic:$mask:$qemu:F" >/proc/sys/fs/binfmt_misc/register
  ;;
off)
  [ ! -e "$registration" ] || echo -1 >"$registration"
  ;;
mode)
  if [ -e "$registration" ] && [ "$(head -1 "$registration")" = enabled ]; then echo emulated; else echo native; fi
  ;;
*)
  sed -n '2,/^set -eu/p' "$0" | sed '$d' >&2
  exit 2
  ;;
esac
