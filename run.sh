#!/usr/bin/env bash
# Sets up and builds, then starts ztelnet with the given arguments, passed on unchanged. With no
# arguments ztelnet connects to a private Telnet host on the loopback (tools/sesion-local.sh);
# "--local" first does the same and passes the other arguments on (e.g. --local /M=x.zkv /SALIR).
set -euo pipefail
top=$(cd "$(dirname "$0")" && pwd)
"$top/tools/setup.sh" --quieto ztelnet zt-anfitrion
ztelnet="$top/build/apps/ztelnet/ztelnet"
if (($#)) && [ "$1" = --local ]; then
  shift
  exec "$top/tools/sesion-local.sh" "$ztelnet" "$@"
fi
if (($#)); then
  exec "$ztelnet" "$@"
fi
exec "$top/tools/sesion-local.sh" "$ztelnet"
