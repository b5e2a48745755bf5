#!/usr/bin/env bash
# Sets up, builds and starts ztelnet; the arguments are passed on to it.
set -euo pipefail
top=$(cd "$(dirname "$0")" && pwd)
"$top/tools/setup.sh"
exec "$top/build/apps/ztelnet/ztelnet" "$@"
