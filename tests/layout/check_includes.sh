#!/usr/bin/env bash
# Fails when an include points up a layer or brings Qt outside src/gui.
# usage: check_includes.sh SRC-DIR
set -euo pipefail
cd "$1"
# folder: the project folders its files may include (besides the standard library and POSIX)
rules='
options options
userio userio
model userio model
editing userio model editing
printing userio model editing printing
comms userio model comms
calibration userio model comms calibration
monitoring userio model comms monitoring
commands options userio model editing printing comms calibration monitoring commands
cli options userio model editing printing comms calibration monitoring commands cli
sim options sim
gui/common userio model comms gui/common
gui/dialogs userio model comms commands gui/common gui/dialogs
gui/printing userio model editing printing commands gui/common gui/printing
gui/editors userio model editing printing gui/common gui/printing gui/editors
gui/monitors userio model comms monitoring gui/common gui/monitors
gui/calibration userio model comms calibration gui/common gui/calibration
gui/shell options userio model editing printing comms calibration monitoring commands sim gui/common gui/dialogs gui/printing gui/editors gui/monitors gui/calibration gui/shell
'
ours=$(find . -mindepth 1 -maxdepth 1 -type d -printf '%f ')
grep -rEH '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' --include='*.h' --include='*.cpp' \
    options userio model editing printing comms calibration monitoring commands cli sim gui |
awk -v rules="$rules" -v ours="$ours" '
  BEGIN {
    n = split(rules, lines, "\n")
    for (i = 1; i <= n; i++) {
      m = split(lines[i], w, " ")
      for (j = 2; j <= m; j++) may[w[1] " " w[j]] = 1
    }
    split(ours, o, " "); for (k in o) project[o[k]] = 1
  }
  {
    file = substr($0, 1, index($0, ":") - 1)
    folder = file; sub(/\/.*/, "", folder)
    # src/gui holds one library per subfolder: each is a layer of its own.
    if (folder == "gui") { folder = file; sub(/^gui\//, "", folder); sub(/\/.*/, "", folder); folder = "gui/" folder }
    included = $0; sub(/^[^<"]*[<"]/, "", included); sub(/[>"].*$/, "", included)
    if (folder !~ /^gui\// && (included ~ /^Q/ || included ~ /^Qt/ || included ~ /\/Q[A-Za-z]*(\.h)?$/)) {
      print file ": includes " included ": Qt belongs under src/gui"; bad = 1; next
    }
    top = included; sub(/\/.*/, "", top)
    if (top == included || !(top in project)) next
    if (top == "gui") { top = included; sub(/^gui\//, "", top); sub(/\/.*/, "", top); top = "gui/" top }
    if (!((folder " " top) in may)) { print file ": includes " included ": " folder " may not depend on " top; bad = 1 }
  }
  END {
    if (bad) exit 1
    print "include layers: every include points down"
  }'
