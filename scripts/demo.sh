#!/usr/bin/env bash
# Sets up and builds, makes a demo station under demo/home (OSTREL_HOME) with a week
# of music and advert logs from tomorrow, imports them unattended (the program ends
# with its summary), and shows the first hour imported.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
export OSTREL_HOME=${OSTREL_HOME:-$PWD/demo/home}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
rm -rf "$OSTREL_HOME"
mkdir -p "$OSTREL_HOME"

build/demostation
status=0
build/logimporter /SCHEDULE /SILENT /QUIT /DEBUG /Profile=Demo /NOPREVCHECK | tee "$OSTREL_HOME/run.txt" || status=$?
echo "logimporter exited with status $status"

db=$(find "$OSTREL_HOME" -name 'Demo Station.sdb' | head -n 1)
log=$(build/stationdb log "$db" --json)
first=$(sed -n 's/.*"Start": "\(.*\)".*/\1/p' <<<"$log" | sed -n 1p)
echo
echo "The first imported hour ($first):"
build/stationdb log "$db" --from "$first" --to "$first"
exit $status
