#!/usr/bin/env bash
# Builds the Debian package from an existing build folder, installs it with
# apt, starts the installed suite as a new ordinary user under Xvfb, then
# purges the package and checks that nothing of it is left outside that
# user's folder. Run as root; safe to run again after an interrupted run.
set -euo pipefail
build="$(cd "${1:?usage: scripts/package-test.sh BUILD_DIR}" && pwd)"
[ "$(id -u)" -eq 0 ] || { echo "package-test.sh: run as root" >&2; exit 1; }
pupil=kinetra-ci
work=/tmp/kinetra-package-test
export DEBIAN_FRONTEND=noninteractive

fail() { echo "package-test: $*" >&2; exit 1; }

cleanup() {
  if [ -f "$work/session.pid" ]; then
    kill -- -"$(cat "$work/session.pid")" 2>/dev/null || true
  fi
  if id "$pupil" >/dev/null 2>&1; then userdel -r "$pupil" 2>/dev/null || true; fi
  if dpkg-query -W -f='${Status}' kinetra 2>/dev/null | grep -q installed; then apt-get purge -y -qq kinetra >/dev/null; fi
  rm -rf "$work"
}
cleanup
trap cleanup EXIT
mkdir -p "$work"

# The package, from the build as it is.
rm -f "$build"/kinetra_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/kinetra_*.deb)"
lintian --fail-on error "$deb"
apt-get install -y -qq "$deb" >/dev/null
dpkg -L kinetra >"$work/files"
appstreamcli validate --no-net /usr/share/metainfo/org.kinetra.Kinetra.metainfo.xml

# A pupil with a fresh home and a runtime folder of their own.
useradd -m "$pupil"
home="$(getent passwd "$pupil" | cut -d: -f6)"
runtime="$work/runtime"
install -d -m 0700 -o "$pupil" "$runtime"
as_pupil() {
  runuser -u "$pupil" -- env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 XDG_RUNTIME_DIR="$runtime" "$@"
}

# The installed command, as the desktop entry starts it, until its menu
# window is up; then the model through the pupil's link.
cat >"$work/session.sh" <<'SESSION'
#!/bin/sh
visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null; }
# The calibration window has the menu window's title: the menu is the
# "Tavirel" window that is new once the calibration file is written.
wait_for_menu() {
  seen=""
  for _ in $(seq 90); do
    if [ -s "$XDG_RUNTIME_DIR/Optim_boles.txt" ]; then
      visible '^Tavirel$' | grep -qvxF "${seen:-none}" && return 0
    else
      seen="$(visible '^Tavirel$')"
    fi
    sleep 1
  done
  echo "package-test: no menu window" >&2
  return 1
}
wait_for() {
  for _ in $(seq 30); do
    visible "$1" >/dev/null && return 0
    sleep 1
  done
  echo "package-test: no window \"$1\"" >&2
  return 1
}
kinetra & launcher=$!
wait_for_menu || exit 1
cd "$HOME/.local/share/kinetra" && Arxius_models/Concentracio & model=$!
wait_for '^Concentracions de les dissolucions$' || exit 1
kill "$model" "$launcher"
SESSION
chmod 0755 "$work/session.sh"
setsid sh -c 'echo $$ >"$1"; shift; exec "$@"' _ "$work/session.pid" \
  runuser -u "$pupil" -- env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 XDG_RUNTIME_DIR="$runtime" \
  xvfb-run -a -s "-screen 0 1024x768x24" "$work/session.sh" || fail "the installed suite did not start"
rm -f "$work/session.pid"
[ -s "$runtime/Optim_boles.txt" ] || fail "no calibration file in $runtime"

# The pupil's folder: their own copies of what they write, links to the rest.
models="$home/.local/share/kinetra/Arxius_models"
for installed in /usr/lib/kinetra/Arxius_models/* /usr/share/kinetra/Arxius_models/*; do
  name="$(basename "$installed")"
  case "$name" in
    Dades.txt | InformExemConcentra.doc | InformFitxa.doc)
      [ -f "$models/$name" ] && [ ! -L "$models/$name" ] && [ "$(stat -c %U "$models/$name")" = "$pupil" ] \
        || fail "$name is not the pupil's own copy" ;;
    *)
      [ "$(readlink -f "$models/$name")" = "$installed" ] || fail "$name is not linked" ;;
  esac
done
as_pupil sh -c "echo notes >>'$models/Dades.txt'" || fail "the pupil cannot save Dades.txt"

# Nothing of the package is left but folders other packages own.
apt-get purge -y -qq kinetra >/dev/null
while IFS= read -r path; do
  [ -e "$path" ] || continue
  [ -d "$path" ] && dpkg-query -S "$path" >/dev/null 2>&1 && continue
  fail "left after purge: $path"
done <"$work/files"
echo "package-test: installed, started as $pupil, purged cleanly"
