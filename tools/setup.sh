#!/usr/bin/env bash
# Installs what the build and the tests need, then configures and builds into build/.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

packages=(cmake g++ make pkg-config qt6-base-dev qt6-qpa-plugins libqt6test6 libgl-dev
          libgtest-dev libgmock-dev googletest libbenchmark-dev m4 inetutils-telnetd
          expect telnet libqt6sql6-sqlite libqt6sql6-psql libqt6sql6-odbc postgresql
          busybox dash ksh mksh zsh libvterm-dev qt6-translations-l10n)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  if [ "$(id -u)" = 0 ]; then
    echo "Instalando paquetes: ${missing[*]}" >&2
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  else
    echo "Faltan paquetes de Debian. Instálelos como root con:" >&2
    echo "  apt-get install ${missing[*]}" >&2
    exit 1
  fi
fi

jobs=${ZT_JOBS:-2}
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$top/build" -j"$jobs"
