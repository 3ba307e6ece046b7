#!/usr/bin/env bash
# A throw-away PostgreSQL server for the tests, the demo and the bench: a cluster in
# a folder of its own, reached only through a Unix socket in that folder, trusting
# every local user. As root it runs as the unprivileged user postgres (made by
# Debian's postgresql package), which the server insists on.
#
# Usage: scripts/throwaway-postgres.sh start FOLDER [--fast]
#            makes and starts the server; prints its address, postgresql://...
#            --fast: no waiting for the disk (for tests; not for measuring)
#        scripts/throwaway-postgres.sh stop FOLDER
#        scripts/throwaway-postgres.sh crash FOLDER
#            stops the server at once, as a crash or a pulled cable would; start
#            brings the same cluster back
set -euo pipefail
if [ $# -lt 2 ]; then
  sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//'
  exit 2
fi
command=$1
folder=$(realpath -m "$2")
fast=${3:-}
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1 || true)
if [ -z "$bin" ]; then
  echo "throwaway-postgres: no PostgreSQL server is installed (apt-get install postgresql)" >&2
  exit 1
fi
as=()
if [ "$(id -u)" = 0 ]; then
  as=(runuser -u postgres --)
fi

case $command in
start)
  mkdir -p "$folder"
  if [ ${#as[@]} -gt 0 ]; then chown postgres: "$folder"; fi
  if [ ! -d "$folder/data" ] && ! "${as[@]}" "$bin/initdb" -D "$folder/data" -U logimporter --auth=trust \
      -E UTF8 --locale=C -N --no-instructions >"$folder/initdb.log" 2>&1; then
    cat "$folder/initdb.log" >&2
    exit 1
  fi
  options="-k $folder -c listen_addresses= -c port=5432"
  if [ "$fast" = --fast ]; then
    options+=" -c fsync=off -c synchronous_commit=off -c full_page_writes=off"
  fi
  if ! "${as[@]}" "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -o "$options" -w -t 60 start \
      >/dev/null; then
    cat "$folder/server.log" >&2
    exit 1
  fi
  echo "postgresql://logimporter@${folder//\//%2F}:5432/postgres"
  ;;
stop)
  "${as[@]}" "$bin/pg_ctl" -D "$folder/data" -m fast -w stop >/dev/null
  ;;
crash)
  "${as[@]}" "$bin/pg_ctl" -D "$folder/data" -m immediate -w stop >/dev/null
  ;;
*)
  echo "throwaway-postgres: start, stop or crash, not '$command'" >&2
  exit 2
  ;;
esac
