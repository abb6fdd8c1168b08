#!/usr/bin/env bash
# Installs the Debian packages Orvane needs to build and run, and with --tests what
# its tests need too (GoogleTest, Google Benchmark, a German locale for the
# locale-independence test, xmllint and GPSBabel for the route files, and what the
# check of the Debian package runs), with
# --fuzz clang with libFuzzer and the sanitizer runtimes (for scripts/fuzz.sh), with
# --package what scripts/package.sh needs to make the Debian package, with --format
# clang-format (for scripts/check-format.sh). Safe to run
# again: it installs only what is missing. The options add up, so a script that runs
# others asks for all of their packages at once (scripts/test.sh does).
set -euo pipefail

want_tests=0
want_screenshot=0
want_bench=0
want_fuzz=0
want_package=0
want_format=0
for arg in "$@"; do
  case "$arg" in
    --tests) want_tests=1 ;;
    --screenshot) want_screenshot=1 ;;
    --bench) want_bench=1 ;;  # scripts/bench.sh: Xlib for the X client that times the windows
    --fuzz) want_fuzz=1 ;;
    --package) want_package=1 ;;  # scripts/package.sh: dpkg-shlibdeps finds the package's dependencies
    --format) want_format=1 ;;
    *) echo "usage: $0 [--tests] [--screenshot] [--bench] [--fuzz] [--package] [--format]" >&2; exit 2 ;;
  esac
done

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

# Root's work runs through sudo when not root. Without sudo, or when sudo wants a
# password and no one is at a terminal to type it, say what root has to run instead.
can_run_as_root() {  # $1: the commands root would run
  if [ -z "$sudo" ]; then return 0; fi
  if command -v sudo >/dev/null 2>&1 && { [ -t 0 ] || sudo -n true 2>/dev/null; }; then return 0; fi
  echo "$0: this needs root, and sudo is missing or asks for a password no one can type here." >&2
  echo "run as root: $1" >&2
  exit 1
}

packages=(g++ cmake ninja-build qt6-base-dev qt6-base-dev-tools libpugixml-dev zlib1g-dev nlohmann-json3-dev)
if [ "$want_tests" -eq 1 ]; then
  packages+=(libgtest-dev libgmock-dev libbenchmark-dev locales tzdata)
  # scripts/check-includes.py: the include graph of the sources, a ctest test.
  packages+=(python3)
  # scripts/test-package.sh: validates the package's files and starts it under Xvfb.
  packages+=(dpkg-dev file desktop-file-utils appstream xvfb xauth xdotool)
  # scripts/run-asan.sh --check: the sanitizer build started under Xvfb and openbox.
  packages+=(openbox)
  # The nav log's PDF pages are read back with pdftotext, in the font they are set in.
  packages+=(poppler-utils fonts-dejavu-core)
  # Route files: checked against their schemas with xmllint, and exchanged with GPSBabel.
  packages+=(libxml2-utils gpsbabel)
fi
if [ "$want_screenshot" -eq 1 ]; then
  packages+=(xvfb xauth openbox xdotool imagemagick fonts-dejavu-core)
fi
if [ "$want_fuzz" -eq 1 ]; then
  packages+=(clang-14 libclang-rt-14-dev)
fi
if [ "$want_bench" -eq 1 ]; then
  packages+=(libx11-dev)
fi
if [ "$want_package" -eq 1 ]; then
  packages+=(dpkg-dev file desktop-file-utils appstream)
fi
if [ "$want_format" -eq 1 ]; then
  packages+=(clang-format-14)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

# Everything that needs root runs as one command, so that sudo asks at most once.
root_steps=()
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  root_steps+=("apt-get update -qq"
    "DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends ${missing[*]}")
fi
# The number texts must not follow the desktop's locale; a test proves it under German.
# The window tests run under it too. It is generated system-wide, after the packages
# (locale-gen comes with "locales").
if [ "$want_tests" -eq 1 ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  root_steps+=("sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen"
    "{ grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen; }"
    "locale-gen >/dev/null")
fi
if [ "${#root_steps[@]}" -gt 0 ]; then
  script="${root_steps[0]}"
  for step in "${root_steps[@]:1}"; do script="$script && $step"; done
  can_run_as_root "$script"
  $sudo sh -c "$script"
fi
