#!/usr/bin/env bash
# Starts a private Telnet host on the loopback and ztelnet connected to it. The host is the
# system's telnetd behind a listener on 127.0.0.1 that serves one connection, and only one made by
# the ztelnet it started; it runs the user's shell in a scratch folder. Host, shell and folder go
# when ztelnet ends, however it ends.
# Usage: tools/sesion-local.sh [path of ztelnet [more ztelnet arguments]]
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ztelnet=${1:-$top/build/apps/ztelnet/ztelnet}
(($#)) && shift
anfitrion=${ZT_ANFITRION:-$top/build/tools/zt-anfitrion}

# In /tmp itself: telnetd splits the session program's path at blanks.
base=$(mktemp -d /tmp/ztelnet-sesion.XXXXXX)
trap 'rm -rf "$base"' EXIT

usuario=$(id -un)
maquina=$(hostname)
maquina=${maquina%%.*}
shell=${SHELL:-}
[ -x "$shell" ] || shell=$(getent passwd "$(id -u)" | cut -d: -f7)
[ -x "$shell" ] || shell=/bin/sh
# The prompt ztelnet recognises: it starts with "user@host:" and ends in "$ ".
prompt_ini="$usuario@$maquina:"
prompt_fin='$ '

mkdir "$base/trabajo"
cat >"$base/bashrc" <<RC
[ -r ~/.bashrc ] && . ~/.bashrc
unset PROMPT_COMMAND
PS1='${prompt_ini}\w${prompt_fin}'
RC
if [ "$(basename "$shell")" = bash ]; then
  lanza="exec '$shell' --rcfile '$base/bashrc' -i"
else
  lanza="exec '$shell' -i"
fi
cat >"$base/sesion" <<SESION
#!/bin/sh
cd '$base/trabajo' || exit 1
export HOME='$HOME' USER='$usuario' LOGNAME='$usuario' SHELL='$shell' PATH='$PATH'
export LANG='${LANG:-C.UTF-8}' PS1='$prompt_ini$prompt_fin'
$lanza
SESION
chmod 700 "$base/sesion"

# ztelnet reads its prompt settings from ztelnet.ini in its folder (the rule of the README).
if [ -n "${ZTELNET_HOME:-}" ]; then
  carpeta=$ZTELNET_HOME
elif [ -w "$(dirname "$ztelnet")" ]; then
  carpeta=$(dirname "$ztelnet")
else
  carpeta=${XDG_DATA_HOME:-$HOME/.local/share}/ztelnet
fi
# With the settings file and the work folders in place, the session opens without questions.
mkdir -p "$carpeta/temp" "$carpeta/macros" "$carpeta/scripts"
ini=$carpeta/ztelnet.ini
if [ -f "$ini" ] && grep -q '^\[TER\]' "$ini"; then
  awk -v ini="$prompt_ini" -v fin="$prompt_fin" 'BEGIN { FS = OFS = "\t" }
    /^\[TER\]/ { $5 = "V"; $6 = ini; $7 = fin } { print }' "$ini" >"$ini.tmp" && mv "$ini.tmp" "$ini"
else
  printf '[TER]\t500\t\t\tV\t%s\t%s\t1\t\t\t\r\n' "$prompt_ini" "$prompt_fin" >>"$ini"
fi

# The host starts ztelnet itself and serves only a connection made by that process (see
# tools/anfitrion/zt-anfitrion.cpp); its status is ztelnet's. It runs in the background so that a
# stop request to this script reaches it; the terminal and its Ctrl+C still reach ztelnet.
"$anfitrion" -d "$shell en $base/trabajo" "$base/sesion" "$ztelnet" "$@" <&0 &
pid=$!
trap 'kill -TERM "$pid" 2>/dev/null' TERM
trap 'kill -HUP "$pid" 2>/dev/null' HUP
trap : INT QUIT
while :; do
  status=0
  wait "$pid" || status=$?
  kill -0 "$pid" 2>/dev/null || break
done
exit "$status"
