#!/usr/bin/env bash
# Builds Quorvane (installing what is missing) and starts it. Without a display the window runs on
# Qt's offscreen platform and the status log still goes to standard output.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$top/scripts/setup.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  export QT_QPA_PLATFORM=offscreen
fi
exec "$build/bin/Quorvane"
