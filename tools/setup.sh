#!/usr/bin/env bash
# Installs what the build and the tests need, then configures and builds into build/.
#   tools/setup.sh                  everything, with the build's own output
#   tools/setup.sh --quieto T...    only targets T, saying nothing when they are up to date
set -euo pipefail
quieto=
if [ "${1:-}" = --quieto ]; then
  quieto=1
  shift
fi
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

packages=(cmake g++ make pkg-config qt6-base-dev qt6-qpa-plugins libqt6test6 libgl-dev
          libgtest-dev libgmock-dev googletest libbenchmark-dev m4 inetutils-telnetd
          expect telnet libqt6sql6-sqlite libqt6sql6-psql libqt6sql6-odbc postgresql
          busybox dash ksh mksh zsh libvterm-dev qt6-translations-l10n iproute2 util-linux
          libssh-dev openssh-client openssh-server
          xvfb xdotool imagemagick x11-apps)  # the last four: looking at windows on a virtual display

# One query for all: a start with nothing to do must stay fast.
installed=" $(dpkg-query -W -f='${Package}:${db:Status-Abbrev} ' "${packages[@]}" 2>/dev/null || true) "
missing=()
for p in "${packages[@]}"; do
  [[ $installed == *" $p:ii "* ]] || missing+=("$p")
done
if ((${#missing[@]})); then
  if [ "$(id -u)" = 0 ]; then
    echo "Instalando paquetes: ${missing[*]}" >&2
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # The tests start sshd themselves: installing the server must not start one on port 22.
    politica=
    if [ ! -e /usr/sbin/policy-rc.d ]; then
      printf '#!/bin/sh\nexit 101\n' >/usr/sbin/policy-rc.d && chmod 755 /usr/sbin/policy-rc.d && politica=1
    fi
    estado=0
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null || estado=$?
    [ -z "$politica" ] || rm -f /usr/sbin/policy-rc.d
    [ "$estado" = 0 ] || exit "$estado"
  else
    echo "Faltan paquetes de Debian. Instálelos como root con:" >&2
    echo "  apt-get install ${missing[*]}" >&2
    exit 1
  fi
fi

jobs=${ZT_JOBS:-2}
# A configured tree re-runs cmake by itself when a CMakeLists.txt changes.
[ -f "$top/build/CMakeCache.txt" ] || cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ -z "$quieto" ]; then
  cmake --build "$top/build" -j"$jobs"
  exit
fi
# Asking make takes seconds over the whole tree of libraries: when no source is newer than the
# last quiet build of these targets, there is nothing to do.
sello=$top/build/.compilado-$(IFS=-; echo "$*")
if [ -e "$sello" ] && [ -z "$(find "$top/src" "$top/apps" "$top/tools" "$top/cmake" "$top/CMakeLists.txt" \
                                  -newer "$sello" -print -quit)" ]; then
  exit 0
fi
# Only the lines of real work are shown; all of it when the build fails.
log=$top/build/compilacion.log
targets=()
for t in "$@"; do targets+=(--target "$t"); done
{ cmake --build "$top/build" -j"$jobs" "${targets[@]}" 2>&1; echo $? >"$log.estado"; } | tee "$log" |
  { grep --line-buffered -E '^\[ *[0-9]+%\] (Building|Linking)' || true; } >&2
if [ "$(cat "$log.estado")" != 0 ]; then
  cat "$log" >&2
  exit 1
fi
touch "$sello"
