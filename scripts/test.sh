#!/usr/bin/env bash
# Builds the project (installing what is missing) and runs the whole test suite with CTest on Qt's
# offscreen platform.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$top/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure --parallel "$(nproc)" "$@"
