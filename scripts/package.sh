#!/usr/bin/env bash
# Builds Orvane's Debian package: a Release build without tests or benchmarks in
# build/package (ORVANE_PACKAGE_BUILD puts it elsewhere), made into a .deb by CPack,
# whose path is printed last. With --install the package is then installed with
# apt-get (through sudo when not run as root); `apt-get remove orvane` removes it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${ORVANE_PACKAGE_BUILD:-$root/build/package}"

want_install=0
for arg in "$@"; do
  case "$arg" in
    --install) want_install=1 ;;
    *) echo "usage: $0 [--install]" >&2; exit 2 ;;
  esac
done

"$root/scripts/install-deps.sh" --package

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCHMARKS=OFF -DORVANE_BUILD_FUZZERS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"

# A package left from an earlier version must not be taken for this one.
out="$build/packages"
rm -rf "$out"
mkdir -p "$out"
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
debs=("$out"/*.deb)
if [ "${#debs[@]}" -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "$0: cpack made no single .deb in $out" >&2
  exit 1
fi
deb="${debs[0]}"

if [ "$want_install" -eq 1 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
    if ! command -v sudo >/dev/null 2>&1 || ! { [ -t 0 ] || sudo -n true 2>/dev/null; }; then
      echo "$0: installing needs root, and sudo is missing or asks for a password no one can type here." >&2
      echo "run as root: apt-get install --reinstall -y $deb" >&2
      exit 1
    fi
  fi
  # --reinstall: a package rebuilt at the same version replaces the installed one.
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install --reinstall -y -qq "$deb"
  echo "installed: $(dpkg-query -W -f='${Package} ${Version}' orvane); start it from the menu or with: orvane"
fi
echo "$deb"
