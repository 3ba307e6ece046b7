#!/usr/bin/env bash
# The alert of a failed night: with no command set it writes one line and ends
# well; with one set, the command gets the profile, the failed unit, its exit
# status, the run's report and a short JSON message; and the README's two examples
# (the same lines as in alert.conf) mail through msmtp to a relay and post the
# short message to a webhook, each a listener on the loopback.
# Usage: tests/packaging/alert-test.sh PATH-OF-logimporter-alert
set -euo pipefail
script=$1
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
dir=$(mktemp -d)
server=
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$dir"' EXIT
export LOGIMPORTER_ALERT_CONF=$dir/alert.conf LOGIMPORTER_STATE=$dir
fail() { echo "alert-test: $*" >&2; exit 1; }
passed=0

said=$(MONITOR_UNIT=logimporter-import@Studio1.service MONITOR_EXIT_STATUS=4 "$script" Studio1) || fail "no command: not 0"
[ "$said" = "logimporter-alert: logimporter-import@Studio1.service failed with status 4 (profile Studio1, report $dir/import-Studio1.json); no ALERT_COMMAND is set in $dir/alert.conf" ] \
  || fail "no command: $said"
passed=$((passed + 1))

printf '# a comment\nALERT_COMMAND=printf "%%s|" "$@" > %s/received\n' "$dir" > "$dir/alert.conf"
MONITOR_UNIT=logimporter-check@Studio1.service MONITOR_EXIT_STATUS=6 "$script" Studio1 || fail "command: not 0"
[ "$(cat "$dir/received")" = "Studio1|logimporter-check@Studio1.service|6|$dir/readiness/Studio1.json|{\"profile\":\"Studio1\",\"unit\":\"logimporter-check@Studio1.service\",\"status\":\"6\",\"text\":\"Log Importer: logimporter-check@Studio1.service failed with status 6 (profile Studio1)\",\"report\":\"$dir/readiness/Studio1.json\"}|" ] \
  || fail "received: $(cat "$dir/received")"
passed=$((passed + 1))

# The message stays JSON whatever the names hold: a space in a profile is \x20 in
# its unit's name, and a quote or a tab must not end or break a string.
printf 'ALERT_COMMAND=printf "%%s" "$5" > %s/message\n' "$dir" > "$dir/alert.conf"
MONITOR_UNIT='logimporter-import@Hub\x20"FM".service' MONITOR_EXIT_STATUS=5 "$script" "$(printf 'Hub "FM"\t2')" \
  || fail "message: not 0"
python3 - "$dir" <<'PY' || fail "message: $(cat "$dir/message")"
import json, sys
folder = sys.argv[1]
message = json.load(open(folder + "/message"))
unit = 'logimporter-import@Hub\\x20"FM".service'
assert message == {"profile": 'Hub "FM"\t2', "unit": unit, "status": "5",
                   "text": "Log Importer: " + unit + ' failed with status 5 (profile Hub "FM"\t2)',
                   "report": folder + '/import-Hub "FM"\t2.json'}, message
PY
passed=$((passed + 1))

# The examples the README gives are those of alert.conf, word for word.
readme_examples=$(sed -n 's/^    \(ALERT_COMMAND=.*\)/\1/p' "$source_dir/README.md")
conf_examples=$(sed -n 's/^#\(ALERT_COMMAND=.*\)/\1/p' "$source_dir/packaging/alert.conf")
[ "$(printf '%s\n' "$readme_examples" | wc -l)" = 2 ] || fail "README: not two examples: $readme_examples"
[ "$readme_examples" = "$conf_examples" ] || fail "README and alert.conf differ: $readme_examples / $conf_examples"
passed=$((passed + 1))

# A listener on the loopback, SMTP or HTTP, that keeps what one client gives it.
cat > "$dir/listen.py" <<'PY'
import http.server, socket, sys
kind, folder = sys.argv[1], sys.argv[2]
if kind == "http":
    class Hook(http.server.BaseHTTPRequestHandler):
        def do_POST(self):
            body = self.rfile.read(int(self.headers["Content-Length"]))
            with open(folder + "/posted", "wb") as out:
                out.write(self.path.encode() + b"\n" + self.headers["Content-Type"].encode() + b"\n" + body)
            self.send_response(204); self.end_headers()
        def log_message(self, *args): pass
    server = http.server.HTTPServer(("127.0.0.1", 0), Hook)
    open(folder + "/port", "w").write(str(server.server_port))
    server.handle_request()
else:
    listener = socket.create_server(("127.0.0.1", 0))
    open(folder + "/port", "w").write(str(listener.getsockname()[1]))
    client, _ = listener.accept()
    stream = client.makefile("rwb")
    def say(line):
        stream.write(line.encode() + b"\r\n"); stream.flush()
    say("220 relay.test")
    sender, recipients, data = "", [], b""
    for line in stream:
        verb = line[:4].upper()
        if verb in (b"EHLO", b"HELO"): say("250 relay.test")
        elif verb == b"MAIL": sender = line.decode().strip()[10:]; say("250 ok")
        elif verb == b"RCPT": recipients.append(line.decode().strip()[8:]); say("250 ok")
        elif verb == b"DATA":
            say("354 go on")
            for text in stream:
                if text == b".\r\n": break
                data += text[1:] if text.startswith(b"..") else text
            say("250 queued")
        elif verb == b"QUIT": say("221 bye"); break
        else: say("502 not here")
    with open(folder + "/mailed", "wb") as out:
        out.write(("%s|%s\n" % (sender, ",".join(recipients))).encode() + data.replace(b"\r\n", b"\n"))
PY
listen() {
  rm -f "$dir/port"
  python3 "$dir/listen.py" "$1" "$dir" &
  server=$!
  for _ in $(seq 100); do [ -s "$dir/port" ] && break; sleep 0.05; done
  port=$(cat "$dir/port")
}
heard() { wait "$server" || true; server=; }

# The README's mail: msmtp, not setuid, so it sends from the shut-in alert unit;
# here its relay is the listener (a user's configuration, so /etc stays untouched).
command -v msmtp >/dev/null || fail "msmtp is not installed (scripts/setup.sh installs it)"
listen smtp
printf 'account default\nhost 127.0.0.1\nport %s\nfrom logimporter@example.org\nauth off\ntls off\n' "$port" > "$dir/.msmtprc"
chmod 600 "$dir/.msmtprc"
printf '%s\n' "$conf_examples" | grep '| msmtp ' > "$dir/alert.conf" || fail "alert.conf: no msmtp example"
HOME=$dir MONITOR_UNIT=logimporter-import@Studio1.service MONITOR_EXIT_STATUS=4 "$script" Studio1 || fail "mail: not 0"
heard
head -n 1 "$dir/mailed" | grep -qx '<logimporter@example.org>|<studio@example.org>' || fail "mailed: $(cat "$dir/mailed")"
grep -qx 'Subject: Log Importer: Studio1 needs a look' "$dir/mailed" || fail "mailed, subject: $(cat "$dir/mailed")"
[ "$(sed -n '/^$/,$p' "$dir/mailed" | sed 1d)" = "$(printf 'logimporter-import@Studio1.service failed with status 4.\nReport: %s/import-Studio1.json' "$dir")" ] \
  || fail "mailed, body: $(cat "$dir/mailed")"
passed=$((passed + 1))

# The README's webhook: the short message, not the report, however large it is.
head -c 200000 /dev/zero | tr '\0' ' ' > "$dir/import-Studio1.json"
listen http
printf '%s\n' "$conf_examples" | grep '^ALERT_COMMAND=curl ' \
  | sed "s#https://chat.example.org#http://127.0.0.1:$port#" > "$dir/alert.conf"
grep -q "127.0.0.1:$port" "$dir/alert.conf" || fail "alert.conf: no webhook example"
MONITOR_UNIT=logimporter-import@Studio1.service MONITOR_EXIT_STATUS=4 "$script" Studio1 || fail "webhook: not 0"
heard
[ "$(cat "$dir/posted")" = "$(printf '/hooks/logimporter\napplication/json\n{"profile":"Studio1","unit":"logimporter-import@Studio1.service","status":"4","text":"Log Importer: logimporter-import@Studio1.service failed with status 4 (profile Studio1)","report":"%s/import-Studio1.json"}' "$dir")" ] \
  || fail "posted: $(cat "$dir/posted")"
passed=$((passed + 1))
echo "alert-test: $passed passed, 0 failed"
