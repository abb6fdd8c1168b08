#!/usr/bin/env bash
# Installs the Debian packages Orvane needs to build and run, and with --tests what
# its tests need too (GoogleTest, Google Benchmark, a German locale for the
# locale-independence test). Safe to run again: it installs only what is missing.
set -euo pipefail

want_tests=0
want_screenshot=0
for arg in "$@"; do
  case "$arg" in
    --tests) want_tests=1 ;;
    --screenshot) want_screenshot=1 ;;
    *) echo "usage: $0 [--tests] [--screenshot]" >&2; exit 2 ;;
  esac
done

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

packages=(g++ cmake ninja-build qt6-base-dev qt6-base-dev-tools)
if [ "$want_tests" -eq 1 ]; then
  packages+=(libgtest-dev libgmock-dev libbenchmark-dev locales)
fi
if [ "$want_screenshot" -eq 1 ]; then
  packages+=(xvfb xauth openbox xdotool imagemagick fonts-dejavu-core)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The number texts must not follow the desktop's locale; a test proves it under German.
if [ "$want_tests" -eq 1 ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  $sudo sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi
