#!/bin/sh
# Runs a test with its runtime folder on a read-only mount, as on a locked
# school profile; permissions alone would not stop an administrator, and Qt
# itself would reopen a folder merely closed to writing. 77: skipped.
set -eu
test_program=$1
runtime=$(mktemp -d)
trap 'rmdir "$runtime"' EXIT
chmod 700 "$runtime"
unshare -m true 2>/dev/null || { echo "SKIP: no private mount namespace"; exit 77; }
XDG_RUNTIME_DIR=$runtime unshare -m sh -c '
  mount --bind "$XDG_RUNTIME_DIR" "$XDG_RUNTIME_DIR" &&
  mount -o remount,bind,ro "$XDG_RUNTIME_DIR" || exit 77
  exec "$0"' "$test_program"
