#!/usr/bin/env bash
# Builds the Debian package from a clean clone of the committed tree with
# dpkg-buildpackage, runs lintian on it, installs it with apt, runs its
# autopkgtest (the suite started as a new pupil), purges it and checks that
# nothing of it is left, and that the next install mends the links a purge
# leaves dangling in a pupil's folder. Run as root; safe to run again after an
# interrupted run. The package's own build runs no tests when
# DEB_BUILD_OPTIONS has nocheck (CI has just run them on the same tree).
#   scripts/package-test.sh [OUTPUT_DIR]      the .deb files stay there
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-$here/build-package}")"
[ "$(id -u)" -eq 0 ] || { echo "package-test.sh: run as root" >&2; exit 1; }
pupil=kinetra-ci
work=/tmp/kinetra-package-test
export DEBIAN_FRONTEND=noninteractive
# debhelper gives the build a home of its own; the compiler cache stays
# where later runs find it.
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.ccache}"

fail() { echo "package-test: $*" >&2; exit 1; }

cleanup() {
  # A session bus the pupil's programs started may take a moment to end.
  for _ in $(seq 10); do
    id "$pupil" >/dev/null 2>&1 || break
    userdel -r "$pupil" 2>/dev/null || sleep 1
  done
  if dpkg-query -W -f='${Status}' kinetra 2>/dev/null | grep -q installed; then apt-get purge -y -qq kinetra >/dev/null; fi
  rm -rf "$work"
}
cleanup
trap cleanup EXIT
mkdir -p "$work" "$out"

# The package, from what is committed.
mkdir "$work/kinetra"
git -C "$here" archive HEAD | tar -x -C "$work/kinetra"
start=$SECONDS
(cd "$work/kinetra" && dpkg-buildpackage -us -uc -b >"$work/build.log" 2>&1) \
  || { tail -50 "$work/build.log"; fail "dpkg-buildpackage failed (log: $work/build.log)"; }
echo "package-test: dpkg-buildpackage took $((SECONDS - start)) s"
rm -f "$out"/kinetra*.deb "$out"/kinetra*.changes "$out"/kinetra*.buildinfo
mv "$work"/kinetra*.deb "$work"/kinetra*.changes "$work"/kinetra*.buildinfo "$out"/
deb="$(ls "$out"/kinetra_*.deb)"
ls -l "$out"/kinetra*.deb
lintian --pedantic --display-info --fail-on error,warning "$out"/kinetra_*.changes

apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
dpkg -L kinetra >"$work/files"
appstreamcli validate --pedantic --no-net /usr/share/metainfo/org.kinetra.Kinetra.metainfo.xml
desktop-file-validate /usr/share/applications/org.kinetra.*.desktop
"$here/debian/tests/suite-starts"

# A pupil whose folder outlives the package.
useradd -m "$pupil"
home="$(getent passwd "$pupil" | cut -d: -f6)"
models="$home/.local/share/kinetra/Arxius_models"
start_briefly() {
  runuser -u "$pupil" -- env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 \
    xvfb-run -a sh -c 'kinetra & sleep 4; kill $!; wait' >/dev/null 2>&1
}
start_briefly

# Nothing of the package is left but folders other packages own.
apt-get purge -y -qq kinetra >/dev/null
while IFS= read -r path; do
  [ -e "$path" ] && [ "$path" != /. ] || continue
  [ -d "$path" ] && dpkg-query -S "$path" >/dev/null 2>&1 && continue
  fail "left after purge: $path"
done <"$work/files"

# The next install and start mend the pupil's links.
apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
ln -s /usr/share/kinetra/Arxius_models/Antic.pdf "$models/Antic.pdf"
start_briefly
dangling="$(find "$models" -xtype l)"
[ -z "$dangling" ] || fail "dangling links after a new start: $dangling"
[ -L "$models/Concentracio" ] || fail "the model's link was not made again"
echo "package-test: built, lintian clean, installed, started, purged cleanly, links mended"
