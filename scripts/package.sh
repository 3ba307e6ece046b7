#!/usr/bin/env bash
# Builds the Debian package logimporter_<version>_amd64.deb in build/, then checks
# it: unpacked into a scratch root with dpkg -x, it holds every file it must, the
# installed logimporter prints its help, and the systemd units pass
# systemd-analyze verify, and each service its security rating, when it is available.
# Usage: scripts/package.sh [build-folder]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

# dpkg-shlibdeps works out the package's library dependencies.
if ! dpkg-query -W -f='${Status}' dpkg-dev 2>/dev/null | grep -q 'install ok installed'; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends dpkg-dev
fi
scripts/setup.sh "$build"
(cd "$build" && cpack -G DEB)
package=$(ls -t "$build"/logimporter_*_amd64.deb | head -n 1)
echo "Package: $package"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$package" "$root"
for file in usr/bin/logimporter usr/bin/stationdb usr/share/logimporter/Updates.rtf \
            usr/share/applications/logimporter.desktop usr/share/icons/hicolor/256x256/apps/logimporter.png \
            usr/share/man/man1/logimporter.1.gz usr/share/man/man1/stationdb.1.gz \
            usr/lib/systemd/system/logimporter-import@.service usr/lib/systemd/system/logimporter-import@.timer \
            usr/lib/systemd/system/logimporter-import@.path usr/lib/systemd/system/logimporter-check@.service \
            usr/lib/systemd/system/logimporter-check@.timer usr/lib/systemd/system/logimporter-alert@.service \
            usr/lib/logimporter/logimporter-alert etc/logimporter/alert.conf; do
  [ -e "$root/$file" ] || { echo "package.sh: the package lacks /$file" >&2; exit 1; }
done
"$root/usr/bin/logimporter" --help | head -n 1 | grep -q '^Usage: logimporter' \
  || { echo "package.sh: the installed logimporter did not print its help" >&2; exit 1; }
"$root/usr/bin/stationdb" --help >/dev/null
echo "The installed logimporter prints its help."

if command -v systemd-analyze >/dev/null; then
  # The units as installed, pointed at the unpacked program, for one profile.
  units="$root/units"
  mkdir "$units"
  for unit in "$root"/usr/lib/systemd/system/logimporter-*; do
    sed -e "s#/usr/bin/logimporter#$root/usr/bin/logimporter#" \
        -e "s#/usr/lib/logimporter/#$root/usr/lib/logimporter/#" "$unit" > "$units/$(basename "$unit")"
  done
  (cd "$units" && systemd-analyze verify --man=no ./logimporter-import@Studio1.timer \
     ./logimporter-import@Studio1.service ./logimporter-import@Studio1.path \
     ./logimporter-check@Studio1.timer ./logimporter-check@Studio1.service ./logimporter-alert@Studio1.service)
  echo "systemd-analyze verify: the units are good."
  # Each service's exposure, as systemd rates its hardening: 4.0 or below, or the check
  # fails (the threshold counts in tenths: 40 is the 4.0 it prints).
  for service in logimporter-import@.service logimporter-check@.service logimporter-alert@.service; do
    (cd "$units" && systemd-analyze security --offline=true --threshold=40 "./$service" | tail -n 1)
  done
fi
