#!/usr/bin/env bash
# Sets up, builds and runs the tool's main job on a demo station under demo/home
# (OSTREL_HOME), then says where the debug and application logs went.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
export OSTREL_HOME=${OSTREL_HOME:-$PWD/demo/home}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
mkdir -p "$OSTREL_HOME"

# The demo profile's station library settings, so the start-up finds them complete.
profile="$OSTREL_HOME/ProgramData/Kestrane/Ostrel v3/Profiles/Demo"
mkdir -p "$profile"
[ -f "$profile/Library.ini" ] || printf '[Library]\nDatabaseMode=1\nFixedDatabase=Demo\nSecurity=false\n' >"$profile/Library.ini"

status=0
build/logimporter /DEBUG /SILENT /Profile=Demo /NOPREVCHECK || status=$?
echo "logimporter exited with status $status"
exit $status
