#!/usr/bin/env bash
# Builds the Debian package from the committed tree, tests included, in a
# fresh minimal Debian 12 root that holds only what debian/control asks for,
# as a distribution's build server does: an ordinary user builds, and nothing
# of this machine's own packages, fonts or settings is seen.
#
# The minimal root and the downloaded packages are kept in a cache folder
# (KINETRA_ROOT_CACHE, default /var/cache/kinetra-clean-root), so later runs on
# the same machine skip debootstrap; every build starts from a copy of it.
# Needs root (debootstrap, chroot). Usage: scripts/clean-root-build.sh [OUTPUT_DIR]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
out="$(mkdir -p "${1:-$here/build-clean-root}" && cd "${1:-$here/build-clean-root}" && pwd)"
cache="${KINETRA_ROOT_CACHE:-/var/cache/kinetra-clean-root}"
suite=bookworm

command -v debootstrap >/dev/null ||
  DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 install -y --no-install-recommends debootstrap

# The archive this machine itself installs from.
mirror=$({ cat /etc/apt/sources.list.d/*.sources /etc/apt/sources.list 2>/dev/null || true; } |
  awk '/^URIs:/ { print $2; exit } /^deb / { print ($2 ~ /^\[/ ? $3 : $2); exit }')

base="$cache/$suite-minbase"
if [ ! -e "$base/.complete" ]; then
  rm -rf "$base"
  mkdir -p "$cache/archives"
  debootstrap --variant=minbase --cache-dir="$cache/archives" "$suite" "$base" "$mirror"
  touch "$base/.complete"
fi

root=$(mktemp -d /var/tmp/kinetra-root.XXXXXX)
cleanup() {
  for m in var/cache/apt/archives dev/pts dev proc; do
    mountpoint -q "$root/$m" && umount -l "$root/$m"
  done
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT INT TERM
cp -a "$base/." "$root/"
cp /etc/apt/sources.list.d/*.sources "$root/etc/apt/sources.list.d/" 2>/dev/null || true
cp /etc/apt/sources.list "$root/etc/apt/" 2>/dev/null || true
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
mount --bind "$cache/archives" "$root/var/cache/apt/archives"

mkdir -p "$root/build/kinetra"
git -C "$here" archive HEAD | tar -x -C "$root/build/kinetra"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"; }
in_root apt-get update -q
in_root env DEBIAN_FRONTEND=noninteractive apt-get build-dep -y -q --no-install-recommends /build/kinetra
in_root useradd --create-home builder
in_root chown -R builder: /build
status=0
in_root su builder -c 'cd /build/kinetra && dpkg-buildpackage -us -uc -b' >"$out/build.log" 2>&1 || status=$?
cp "$root"/build/*.deb "$out/" 2>/dev/null || true
# What the tests said, and why any was skipped.
grep -E 'tests passed|^(SKIP|missing:)' "$out/build.log" || true
[ "$status" -eq 0 ] || { tail -n 80 "$out/build.log"; echo "package build failed in a clean root (log: $out/build.log)" >&2; }
exit "$status"
