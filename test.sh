#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite; exits non-zero when any test fails.
set -euo pipefail
top=$(cd "$(dirname "$0")" && pwd)
"$top/tools/setup.sh"
cd "$top/build"
export QT_QPA_PLATFORM=offscreen
ctest --output-on-failure -j"${ZT_JOBS:-2}" "$@"
