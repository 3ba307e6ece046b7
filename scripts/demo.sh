#!/usr/bin/env bash
# Sets up and builds, makes a demo station under demo/home (OSTREL_HOME) with a week
# of music and advert logs from tomorrow, imports them unattended (the program ends
# with its summary), and shows the first hour imported.
#
# Usage: scripts/demo.sh [--postgresql]
#   --postgresql  the demo's Station Database on a throw-away PostgreSQL server
#                 (in a temporary folder, which the server's user can reach
#                 wherever the clone is; stopped and removed at the end)
#                 instead of a file
set -euo pipefail
cd "$(dirname "$0")/.."
server=${1:-}
if [ -n "$server" ] && [ "$server" != --postgresql ]; then
  sed -n '6,10p' "$0" | sed 's/^# \{0,1\}//'
  exit 2
fi
scripts/setup.sh build
export OSTREL_HOME=${OSTREL_HOME:-$PWD/demo/home}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
rm -rf "$OSTREL_HOME"
mkdir -p "$OSTREL_HOME"

if [ -n "$server" ]; then
  folder=$(mktemp -d /tmp/logimporter-demo-server.XXXXXX)
  trap 'scripts/throwaway-postgres.sh stop "$folder"; rm -rf "$folder"' EXIT
  db="$(scripts/throwaway-postgres.sh start "$folder")?schema=demo"
  build/demostation --database "$db"
else
  build/demostation
  db=$(find "$OSTREL_HOME" -name 'Demo Station.sdb' | head -n 1)
fi
status=0
build/logimporter /SCHEDULE /SILENT /QUIT /DEBUG /Profile=Demo /NOPREVCHECK | tee "$OSTREL_HOME/run.txt" || status=$?
echo "logimporter exited with status $status"

log=$(build/stationdb log "$db" --json)
first=$(sed -n 's/.*"Start": "\(.*\)".*/\1/p' <<<"$log" | sed -n 1p)
echo
echo "The first imported hour ($first):"
build/stationdb log "$db" --from "$first" --to "$first"
exit $status
