#!/usr/bin/env bash
# Checks the Debian package as a pilot gets it. Builds it with scripts/package.sh,
# unpacks it with `dpkg -x` into a scratch root and checks:
#   - the package holds exactly the program, the launcher, the menu entry, the four
#     icons, the AppStream metadata and the three shipped files;
#   - desktop-file-validate and appstreamcli accept the menu entry and the metadata;
#   - the control fields: name, version, architecture, the Qt libraries in Depends;
#   - under Xvfb, the unpacked launcher started with an empty home folder makes
#     ~/Orvane, seeds it with the shipped files and starts the planner there; started
#     again (through a link) over the pilot's own files, it keeps them and puts back
#     only the shipped file that went missing;
#   - the launcher says why and fails when it cannot make the folder, and, started
#     without a graphical session, says so in one line and fails, making nothing.
# Prints PASS or FAIL for each check and exits non-zero on any failure. Runs as root
# or as a plain user; its processes and scratch folders go when it ends.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
window_wait=30  # seconds for a window to appear

"$root/scripts/install-deps.sh" --tests

source "$root/scripts/lib/xvfb.sh"

scratch="$(mktemp -d)"
app=""
stop_app() {
  if [ -n "$app" ]; then
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
    app=""
  fi
}
cleanup() {
  stop_app
  rm -rf "$scratch"
}
trap cleanup EXIT

passed=0
failed=0
pass() { echo "PASS: $1"; passed=$((passed + 1)); }
fail() { echo "FAIL: $1"; failed=$((failed + 1)); }
check() {  # <what> <command...>: passes when the command succeeds
  local what="$1"
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

# --- The package -------------------------------------------------------------------
"$root/scripts/package.sh" | tee "$scratch/package.log"
deb="$(tail -n 1 "$scratch/package.log")"
[ -f "$deb" ] || { echo "FAIL: scripts/package.sh printed no package path" >&2; exit 1; }
echo "package: $deb ($(stat -c %s "$deb") bytes)"

# A blank in the path proves the launcher quotes what it must.
unpacked="$scratch/unpacked root"
mkdir -p "$unpacked"
dpkg -x "$deb" "$unpacked"

id="net.halvick.orvane"
expected=(
  usr/bin/orvane
  usr/libexec/orvane/orvane
  "usr/share/applications/$id.desktop"
  "usr/share/icons/hicolor/16x16/apps/$id.png"
  "usr/share/icons/hicolor/32x32/apps/$id.png"
  "usr/share/icons/hicolor/256x256/apps/$id.png"
  "usr/share/icons/hicolor/scalable/apps/$id.svg"
  "usr/share/metainfo/$id.metainfo.xml"
  usr/share/orvane/AIRPORTS-SOURCE.md
  usr/share/orvane/AIRPORT-DIRECTORY-SOURCE.md
  usr/share/orvane/airport-directory.bin
  usr/share/orvane/airports.fly
  usr/share/orvane/readme.txt
)
for path in "${expected[@]}"; do
  check "the package holds /$path" test -f "$unpacked/$path"
done
# Anything else, such as a test, benchmark or fuzzer, has no place in it.
(cd "$unpacked" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) > "$scratch/files"
printf '%s\n' "${expected[@]}" | LC_ALL=C sort > "$scratch/expected"
check "the package holds no other file" diff "$scratch/expected" "$scratch/files"

check "the program is an executable ELF file" \
  sh -c 'test -x "$1" && file -b "$1" | grep -q "^ELF .* executable"' sh "$unpacked/usr/libexec/orvane/orvane"
check "the launcher is an executable sh script" \
  sh -c 'test -x "$1" && head -n 1 "$1" | grep -qx "#!/bin/sh" && sh -n "$1"' sh "$unpacked/usr/bin/orvane"
for size in 16 32 256; do
  check "the ${size}x$size icon is a $size x $size PNG" \
    sh -c 'file -b "$1" | grep -q "^PNG image data, $2 x $2,"' sh \
    "$unpacked/usr/share/icons/hicolor/${size}x$size/apps/$id.png" "$size"
done
for file in airports.fly readme.txt AIRPORTS-SOURCE.md airport-directory.bin AIRPORT-DIRECTORY-SOURCE.md; do
  check "/usr/share/orvane/$file is data/$file" cmp -s "$root/data/$file" "$unpacked/usr/share/orvane/$file"
done

# --- Menu entry and metadata -------------------------------------------------------
desktop="$unpacked/usr/share/applications/$id.desktop"
metainfo="$unpacked/usr/share/metainfo/$id.metainfo.xml"
if desktop-file-validate "$desktop" > "$scratch/desktop.out" 2>&1 \
   && ! grep -qiE '(error|warning):' "$scratch/desktop.out"; then
  pass "desktop-file-validate accepts the menu entry"
else
  fail "desktop-file-validate accepts the menu entry"
fi
sed 's/^/   /' "$scratch/desktop.out"
for line in "Exec=orvane" "Icon=$id" "Terminal=false" "Type=Application"; do
  check "the menu entry says $line" grep -qx "$line" "$desktop"
done

# Errors and warnings fail; the pedantic notes are only shown.
check "appstreamcli validate accepts the metadata" appstreamcli validate --no-net "$metainfo"
echo "   appstreamcli validate --no-net --pedantic:"
appstreamcli validate --no-net --pedantic "$metainfo" 2>&1 | sed 's/^/   /' || true
check "the metadata launches $id.desktop" \
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo"

# --- Control fields ----------------------------------------------------------------
version="$(sed -n 's/^project(Orvane VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
field() { dpkg-deb -f "$deb" "$1"; }
check "Package is orvane" test "$(field Package)" = orvane
check "Version is the project's $version" test "$(field Version)" = "$version"
check "Architecture is $(dpkg --print-architecture)" test "$(field Architecture)" = "$(dpkg --print-architecture)"
check "the metadata's newest release is $version" \
  sh -c 'grep -o "<release version=\"[^\"]*\"" "$1" | head -n 1 | grep -qx "<release version=\"$2\""' sh "$metainfo" "$version"
depends="$(field Depends)"
echo "   Depends: $depends"
check "Depends names the Qt libraries" sh -c 'case "$1" in *libqt6widgets6*libqt6*|*libqt6*libqt6widgets6*) exit 0 ;; *) exit 1 ;; esac' sh "$depends"
for name in Maintainer Homepage Section Description; do
  check "$name is given" test -n "$(field "$name")"
done

# --- The launcher under X ----------------------------------------------------------
start_xvfb 1280x900x24 || { echo "FAIL: Xvfb did not start" >&2; exit 1; }

launch() {  # <home> <launcher>: starts the launcher as a pilot with that home folder
  # The display must take connections again before the next start (at most 10 s).
  for _ in $(seq 50); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.2
  done
  HOME="$1" "$2" > "$scratch/app.log" 2>&1 &
  app=$!
}

# Waits until the planner window of the started program is shown. A message box
# (captioned with the program's name) is answered with Enter and counted in $boxes.
boxes=0
wait_for_planner() {
  local box
  boxes=0
  for _ in $(seq $((window_wait * 5))); do
    kill -0 "$app" 2>/dev/null || return 1
    if xdotool search --all --onlyvisible --pid "$app" --name '^Orvane - by Halvick$' >/dev/null 2>&1; then
      return 0
    fi
    box="$(xdotool search --all --onlyvisible --pid "$app" --name '^Orvane$' 2>/dev/null | head -n 1 || true)"
    if [ -n "$box" ]; then
      boxes=$((boxes + 1))
      xdotool windowfocus --sync "$box" key Return 2>/dev/null || true
    fi
    sleep 0.2
  done
  return 1
}

same_files() {  # <folder a> <folder b> <file...>
  local a="$1" b="$2" file
  shift 2
  for file in "$@"; do cmp -s "$a/$file" "$b/$file" || return 1; done
}

shipped="$unpacked/usr/share/orvane"
seeds=(airports.fly readme.txt AIRPORTS-SOURCE.md)

# First start, in an empty home folder: no config.fly yet, so the program first says
# it cannot open it.
home="$scratch/pilot home"
mkdir -p "$home"
launch "$home" "$unpacked/usr/bin/orvane"
check "the planner window appears within $window_wait s" wait_for_planner
check "the missing config.fly was reported in a message box" test "$boxes" -ge 1
check "the working folder ~/Orvane was made" test -d "$home/Orvane"
check "the working folder holds the shipped files" same_files "$shipped" "$home/Orvane" "${seeds[@]}"
check "the program runs in ~/Orvane" test "$(readlink "/proc/$app/cwd")" = "$home/Orvane"
stop_app
sed 's/^/   /' "$scratch/app.log"

# Second start, through a link to the launcher, over the pilot's own files, with the
# source note deleted.
work="$home/Orvane"
printf 'JFK:40.639801;-73.778900,\nZZZ:45.500000;-73.500000,\n' > "$work/airports.fly"
printf 'My own notes.\n' > "$work/readme.txt"
cp "$root/scripts/example-config.fly" "$work/config.fly"
rm "$work/AIRPORTS-SOURCE.md"
kept="$scratch/kept"
mkdir -p "$kept"
cp "$work/airports.fly" "$work/readme.txt" "$work/config.fly" "$kept/"
mkdir -p "$scratch/bin"
ln -s "$unpacked/usr/bin/orvane" "$scratch/bin/orvane"
launch "$home" "$scratch/bin/orvane"
check "started through a link, the planner window appears" wait_for_planner
check "with the pilot's config.fly no message box came" test "$boxes" -eq 0
check "the pilot's airports.fly, readme.txt and config.fly were kept" \
  same_files "$kept" "$work" airports.fly readme.txt config.fly
check "the missing AIRPORTS-SOURCE.md was put back" cmp -s "$shipped/AIRPORTS-SOURCE.md" "$work/AIRPORTS-SOURCE.md"
check "no copy was left behind" test "$(find "$work" -name '.*' ! -name . | wc -l)" -eq 0
stop_app
sed 's/^/   /' "$scratch/app.log"

# A home folder where Orvane is a file: the folder cannot be made.
blocked="$scratch/blocked home"
mkdir -p "$blocked"
printf 'not a folder\n' > "$blocked/Orvane"
status=0
HOME="$blocked" "$unpacked/usr/bin/orvane" > "$scratch/blocked.out" 2> "$scratch/blocked.err" || status=$?
check "without a working folder the launcher fails" test "$status" -ne 0
check "and says so on stderr" grep -q "cannot create the working folder $blocked/Orvane" "$scratch/blocked.err"
sed 's/^/   /' "$scratch/blocked.err"
status=0
env -u HOME "$unpacked/usr/bin/orvane" > /dev/null 2> "$scratch/nohome.err" || status=$?
check "without HOME the launcher fails and says why" \
  sh -c 'test "$1" -ne 0 && grep -q "HOME is not set" "$2"' sh "$status" "$scratch/nohome.err"

# No graphical session: one line saying so instead of the toolkit's abort, and nothing made.
nodisplay="$scratch/no display home"
mkdir -p "$nodisplay"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$nodisplay" "$unpacked/usr/bin/orvane" \
  > /dev/null 2> "$scratch/nodisplay.err" || status=$?
check "without a graphical session the launcher fails with one line saying so" \
  sh -c 'test "$1" -ne 0 && test "$(wc -l < "$2")" -eq 1 && grep -q "no graphical session" "$2"' sh \
  "$status" "$scratch/nodisplay.err"
check "and makes no working folder" test ! -e "$nodisplay/Orvane"
sed 's/^/   /' "$scratch/nodisplay.err"

echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
