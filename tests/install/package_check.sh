#!/usr/bin/env bash
# Builds the Debian package from the build, unpacks it into a scratch root
# and checks that it holds every file, and that lintian finds no error.
# usage: package_check.sh BUILD-DIR SCRATCH-DIR
set -euo pipefail
build=$(realpath "$1")
scratch=$2
source "$(dirname "$0")/desktop_checks.sh"
rm -rf "$scratch"
mkdir -p "$scratch"
(cd "$build" && cpack -G DEB -B "$scratch/package" >/dev/null)
deb=$(ls "$scratch"/package/zatsetup_*_amd64.deb)
status=0
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || { echo "no dependencies from the shared libraries"; status=1; }
dpkg -x "$deb" "$scratch/root"
check_installed_tree "$scratch/root/usr"
# Errors fail the test; warnings and notes are printed for the reader.
lintian --no-tag-display-limit "$deb" 2>/dev/null | tee "$scratch/lintian.txt"
if grep -q '^E:' "$scratch/lintian.txt"; then echo "lintian found errors"; status=1; fi
exit $status
