#!/usr/bin/env bash
# Serves the browser version (scripts/web.sh builds it) on http://127.0.0.1:PORT/ until Ctrl-C.
# Usage: scripts/serve-web.sh [PORT] [PAGE-DIR]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
exec python3 "$here/scripts/webpage.py" serve "${2:-$here/build-web/page}" "${1:-8000}"
