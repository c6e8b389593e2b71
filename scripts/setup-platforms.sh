#!/usr/bin/env bash
# Installs and sets up what the 32-bit legs need on a Debian bookworm machine, as root:
#   linux32  g++-multilib and qemu-user (qemu-i386 runs the -m32 tests)
#   win32    g++-mingw-w64-i686 and binutils (the DLL, its import library, the PE check)
#   wine32   wine and wine32:i386, run through a newer static qemu-i386 registered with
#            binfmt_misc, because this kernel cannot execute 32-bit code itself
#   fuzz     clang's runtime libraries (libFuzzer and the sanitizers)
# Safe to run twice: every step checks first and says what it did or found done.
# Usage: scripts/setup-platforms.sh [--no-wine]
set -euo pipefail

want_wine=1
[ "${1:-}" = "--no-wine" ] && want_wine=0

say() { printf 'setup: %s\n' "$*"; }

if [ "$(id -u)" != 0 ]; then
  say "not root: nothing installed (the legs whose tools are missing will be skipped)"
  exit 0
fi

export DEBIAN_FRONTEND=noninteractive
apt_quiet() { apt-get -y -q -o Dpkg::Use-Pty=0 "$@" >/dev/null; }

need=()
for pkg in g++ g++-multilib qemu-user g++-mingw-w64-i686 binutils-mingw-w64-i686 clang \
           libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev cmake ninja-build; do
  dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done

if [ "$want_wine" = 1 ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    say "added the i386 architecture"
  fi
  for pkg in wine wine32:i386; do
    dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
  done
fi

if [ "${#need[@]}" -gt 0 ]; then
  apt_quiet update
  apt_quiet install --no-install-recommends "${need[@]}"
  say "installed ${need[*]}"
else
  say "packages already installed"
fi

[ "$want_wine" = 1 ] || exit 0

# Wine needs a qemu-i386 that honours MAP_FIXED_NOREPLACE (bookworm's 7.2 does not):
# take the static one from bookworm-backports without replacing the system's qemu.
qemu_dir=/opt/zelstr-qemu
qemu_new=$qemu_dir/qemu-i386
if [ ! -x "$qemu_new" ]; then
  src=/etc/apt/sources.list.d/zelstr-backports.sources
  if [ ! -f "$src" ]; then
    uri=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
    key=$(awk '/^Signed-By:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
    if [ -z "$uri" ] && [ -f /etc/apt/sources.list ]; then
      uri=$(awk '$1 == "deb" && $0 ~ /bookworm/ { for (i = 2; i <= NF; i++) if ($i ~ /^[a-z]+:\/\//) { print $i; exit } }' /etc/apt/sources.list)
    fi
    [ -n "$uri" ] || { say "no Debian source entry found: cannot add bookworm-backports"; exit 1; }
    {
      echo "Types: deb"
      echo "URIs: $uri"
      echo "Suites: bookworm-backports"
      echo "Components: main"
      [ -n "$key" ] && echo "Signed-By: $key"
    } >"$src"
    say "added bookworm-backports from $uri"
  fi
  apt_quiet update
  tmp=$(mktemp -d)
  (cd "$tmp" && apt-get download -q qemu-user/bookworm-backports >/dev/null)
  dpkg-deb -x "$tmp"/qemu-user_*.deb "$tmp/x"
  mkdir -p "$qemu_dir"
  cp "$tmp/x/usr/bin/qemu-i386" "$qemu_new"
  rm -rf "$tmp"
  say "unpacked $("$qemu_new" --version | head -n 1) to $qemu_new"
else
  say "found $("$qemu_new" --version | head -n 1) at $qemu_new"
fi

if [ ! -e /proc/sys/fs/binfmt_misc/register ]; then
  mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  say "mounted binfmt_misc"
fi
for old in /proc/sys/fs/binfmt_misc/qemu-i386 /proc/sys/fs/binfmt_misc/qemu-i386-zelstr; do
  [ -e "$old" ] || continue
  if [ "$(basename "$old")" = qemu-i386-zelstr ] && grep -q "interpreter $qemu_new" "$old" \
     && grep -qx enabled "$old"; then
    continue
  fi
  echo -1 >"$old"
  say "removed the binfmt entry $(basename "$old")"
done
if [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386-zelstr ]; then
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":qemu-i386-zelstr:M::$magic:$mask:$qemu_new:F" >/proc/sys/fs/binfmt_misc/register
  say "registered $qemu_new for i386 ELF (flag F)"
else
  say "binfmt entry for $qemu_new already registered"
fi
