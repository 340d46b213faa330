#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package and checks it: its fields and file list, the menu entry, then (as
# root) installs it with apt-get, starts the installed program offscreen with a temporary home as
# root and as an unprivileged user, checks that the files went to that home, and removes the
# package again. Every step is bounded in time. VELK_PACKAGE_SHOT=FILE keeps a picture of the
# installed program's window.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() {
  echo "package check FAILED: $*" >&2
  exit 1
}

timeout 1800 bash tools/package.sh
arch="$(dpkg --print-architecture)"
deb="build/uecs-velk_1.1.0.0_${arch}.deb"
[ -f "$deb" ] || fail "$deb was not made"
echo "-- $deb ($(du -k "$deb" | cut -f1) KiB)"

echo "-- fields"
info="$(dpkg-deb -I "$deb")"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = "uecs-velk" ] || fail "Package field"
[ "$(field Version)" = "1.1.0.0" ] || fail "Version field: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture field"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"
depends="$(field Depends)"
echo "Depends: $depends"
# Package names alone, one a line.
names="$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//')"
for dep in fonts-ipaexfont-gothic qt6-translations-l10n libqt6widgets6 libqt6network6 libc6 \
  libstdc++6; do
  grep -qxF "$dep" <<<"$names" || fail "Depends lacks $dep"
done
grep -q "postinst\|preinst\|prerm\|postrm" <<<"$info" && fail "unexpected maintainer scripts"

echo "-- file list"
files="$(dpkg-deb -c "$deb" | awk '{print $6}')"
for f in ./usr/bin/uecs-velk ./usr/bin/uecs-node-sim ./usr/bin/velk-history-gen \
  ./usr/share/applications/uecs-velk.desktop ./usr/share/doc/uecs-velk/copyright \
  ./usr/share/icons/hicolor/16x16/apps/uecs-velk.png ./usr/share/icons/hicolor/48x48/apps/uecs-velk.png \
  ./usr/share/icons/hicolor/256x256/apps/uecs-velk.png; do
  grep -qxF "$f" <<<"$files" || fail "missing $f"
done
stray="$(grep -v '/$' <<<"$files" |
  grep -v '^\./usr/\(bin\|share/applications\|share/icons/hicolor\|share/doc/uecs-velk\)/' || true)"
[ -z "$stray" ] || fail "files outside the expected folders: $stray"
[ "$(grep -c '^\./usr/bin/.' <<<"$files")" -eq 3 ] || fail "/usr/bin holds other programs"

echo "-- menu entry and icons"
unpacked="$(mktemp -d)"
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/uecs-velk.desktop"
grep -q '^Name\[ja\]=\|^GenericName\[ja\]=' "$unpacked/usr/share/applications/uecs-velk.desktop" ||
  fail "no Japanese name"
grep -q '^Comment\[ja\]=' "$unpacked/usr/share/applications/uecs-velk.desktop" ||
  fail "no Japanese comment"
for png in "$unpacked"/usr/share/icons/hicolor/*/apps/uecs-velk.png; do
  size="$(basename "$(dirname "$(dirname "$png")")")"
  head -c 24 "$png" | od -An -tu1 | tr -s ' ' | grep -q '^ 137 80 78 71' || fail "$png is no PNG"
  # The PNG header holds width and height at bytes 16 to 23 (big-endian).
  wh="$(od -An -j16 -N8 -tu1 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')"
  [ "$wh" = "$size" ] || fail "$png is $wh, not $size"
done
grep -q "MIT License" "$unpacked/usr/share/doc/uecs-velk/copyright" || fail "no licence notice"

if [ "$(id -u)" -ne 0 ]; then
  echo "-- not root: the installation check is left out"
  exit 0
fi
if dpkg-query -W -f='${Status}' uecs-velk 2>/dev/null | grep -q "install ok installed"; then
  fail "uecs-velk is already installed here; remove it before the check"
fi

echo "-- install"
trap 'rm -rf "$unpacked"; timeout 300 apt-get -o DPkg::Lock::Timeout=240 remove -y -qq --purge uecs-velk >/dev/null 2>&1 || true' EXIT
apt_log="$(mktemp)"
DEBIAN_FRONTEND=noninteractive timeout 600 apt-get -o DPkg::Lock::Timeout=300 install -y -qq --no-install-recommends "./$deb" \
  >"$apt_log" 2>&1 || { cat "$apt_log"; fail "apt-get install"; }
rm -f "$apt_log"
[ -x /usr/bin/uecs-velk ] || fail "/usr/bin/uecs-velk not installed"

# Starts the installed program for a few seconds with a fresh home as the given user and checks
# that its folders and its log landed below that home, and nothing beside the executable.
start_installed() {
  local user="$1" home runtime rc=0
  home="$(mktemp -d)"
  runtime="$(mktemp -d)"
  chmod 700 "$runtime"
  chown "$user" "$home" "$runtime"
  setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups \
    env -u XDG_DATA_HOME -u VELK_APP_DIR HOME="$home" XDG_RUNTIME_DIR="$runtime" \
    QT_QPA_PLATFORM=offscreen timeout 12 /usr/bin/uecs-velk --screenshot "$home/window.png" \
    >"$home/out.txt" 2>&1 || rc=$?
  [ "$rc" -eq 124 ] || { cat "$home/out.txt"; fail "as $user the program ended early ($rc)"; }
  [ -s "$home/window.png" ] || { cat "$home/out.txt"; fail "as $user the window was not drawn"; }
  [ -z "${VELK_PACKAGE_SHOT:-}" ] || cp "$home/window.png" "$VELK_PACKAGE_SHOT"
  local folder="$home/.local/share/uecs-velk"
  for d in Sys Sys/Log Sys/Rcd; do
    [ -d "$folder/$d" ] || fail "as $user no folder $folder/$d"
  done
  local log
  log="$(find "$folder/Sys/Log" -name 'System*.Log' | head -n 1)"
  [ -n "$log" ] || fail "as $user no system log"
  grep -q "System Start" "$log" || fail "as $user no 'System Start' in the log"
  grep -q "/usr/bin/ には記録できないため" "$log" || fail "as $user the log does not say where the files went"
  [ ! -e /usr/bin/Sys ] || fail "as $user files were written beside the executable"
  grep -e "System Start" -e "Main: " "$log" | sed "s/^/  log: /"
  echo "as $user: $(find "$folder" -mindepth 1 | sed "s|^$home|~|" | sort | tr '\n' ' ')"
  rm -rf "$home" "$runtime"
}

echo "-- start the installed program"
start_installed root
if id nobody >/dev/null 2>&1; then
  start_installed nobody
else
  echo "no user 'nobody' here: the unprivileged start is left out"
fi
timeout 60 /usr/bin/uecs-node-sim --count 1 --port 9 --quiet >/dev/null || fail "uecs-node-sim does not run"
gen="$(mktemp -d)"
timeout 120 /usr/bin/velk-history-gen --app-dir "$gen" --rooms 1 --days 2 >/dev/null ||
  fail "velk-history-gen does not run"
rm -rf "$gen"

echo "-- remove"
timeout 300 apt-get -o DPkg::Lock::Timeout=240 remove -y -qq --purge uecs-velk >/dev/null
[ ! -e /usr/bin/uecs-velk ] || fail "/usr/bin/uecs-velk left after removal"
[ ! -e /usr/share/applications/uecs-velk.desktop ] || fail "menu entry left after removal"
echo "package check passed"
