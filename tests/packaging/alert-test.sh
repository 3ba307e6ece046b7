#!/usr/bin/env bash
# The alert of a failed night: with no command set it writes one line and ends
# well; with one set, the command gets the profile, the failed unit, its exit
# status and the run's report; and the README's two examples mail and post it.
# Usage: tests/packaging/alert-test.sh PATH-OF-logimporter-alert
set -euo pipefail
script=$1
dir=$(mktemp -d)
server=
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$dir"' EXIT
export LOGIMPORTER_ALERT_CONF=$dir/alert.conf LOGIMPORTER_STATE=$dir
fail() { echo "alert-test: $*" >&2; exit 1; }

said=$(MONITOR_UNIT=logimporter-import@Studio1.service MONITOR_EXIT_STATUS=4 "$script" Studio1) || fail "no command: not 0"
[ "$said" = "logimporter-alert: logimporter-import@Studio1.service failed with status 4 (profile Studio1, report $dir/import-Studio1.json); no ALERT_COMMAND is set in $dir/alert.conf" ] \
  || fail "no command: $said"

printf '# a comment\nALERT_COMMAND=printf "%%s|" "$@" > %s/received\n' "$dir" > "$dir/alert.conf"
MONITOR_UNIT=logimporter-check@Studio1.service MONITOR_EXIT_STATUS=6 "$script" Studio1 || fail "command: not 0"
[ "$(cat "$dir/received")" = "Studio1|logimporter-check@Studio1.service|6|$dir/readiness-Studio1.json|" ] \
  || fail "received: $(cat "$dir/received")"

# The README's mail, through a mailer that keeps what it is given.
mkdir "$dir/bin"
printf '#!/bin/sh\nprintf "%%s|" "$@" > %s/mailed\ncat >> %s/mailed\n' "$dir" "$dir" > "$dir/bin/mail"
chmod +x "$dir/bin/mail"
grep -o "^#ALERT_COMMAND=printf .*" "$(dirname "$0")/../../packaging/alert.conf" | cut -c2- > "$dir/alert.conf"
PATH=$dir/bin:$PATH MONITOR_UNIT=logimporter-import@Studio1.service MONITOR_EXIT_STATUS=4 "$script" Studio1 \
  || fail "mail: not 0"
[ "$(cat "$dir/mailed")" = "$(printf -- '-s|Log Importer: Studio1 needs a look|studio@example.org|Log Importer: logimporter-import@Studio1.service failed with status 4.\nReport: %s/import-Studio1.json' "$dir")" ] \
  || fail "mailed: $(cat "$dir/mailed")"

# The README's webhook, against a listener on the loopback that keeps what it is sent.
echo '{"exitStatus": 4}' > "$dir/import-Studio1.json"
python3 - "$dir" <<'PY' &
import http.server, sys
folder = sys.argv[1]
class Hook(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        body = self.rfile.read(int(self.headers["Content-Length"]))
        open(folder + "/posted", "wb").write(self.path.encode() + b"\n" + body)
        self.send_response(204); self.end_headers()
    def log_message(self, *args): pass
server = http.server.HTTPServer(("127.0.0.1", 0), Hook)
open(folder + "/port", "w").write(str(server.server_port))
server.handle_request()
PY
server=$!
for _ in $(seq 100); do [ -s "$dir/port" ] && break; sleep 0.05; done
port=$(cat "$dir/port")
example=$(grep -o "^#ALERT_COMMAND=curl .*" "$(dirname "$0")/../../packaging/alert.conf" | cut -c2-)
echo "${example//https:\/\/chat.example.org/http://127.0.0.1:$port}" > "$dir/alert.conf"
MONITOR_UNIT=logimporter-import@Studio1.service MONITOR_EXIT_STATUS=4 "$script" Studio1 || fail "webhook: not 0"
wait "$server" || true
server=
[ "$(cat "$dir/posted")" = "$(printf '/hooks/logimporter?profile=Studio1&status=4\n{"exitStatus": 4}')" ] \
  || fail "posted: $(cat "$dir/posted")"
echo "alert-test: 4 passed, 0 failed"
