#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that everything a
# desktop needs lands in its usual place.
# usage: install_check.sh BUILD-DIR SCRATCH-DIR
set -euo pipefail
build=$1
prefix=$2
source "$(dirname "$0")/desktop_checks.sh"
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
status=0
check_installed_tree "$prefix"
for program in zatsetup zatctl zat-unit-sim; do
  [ -x "$prefix/bin/$program" ] || { echo "not executable: bin/$program"; status=1; }
done
desktop=$prefix/share/applications/zatsetup.desktop
grep -qx 'Exec=zatsetup %f' "$desktop" || { echo "desktop entry does not start zatsetup"; status=1; }
grep -qx 'Icon=zatsetup' "$desktop" || { echo "desktop entry does not name the icon"; status=1; }
"$prefix/bin/zatsetup" --version | grep -q '^zatsetup ' || { echo "installed zatsetup does not run"; status=1; }
exit $status
