#!/usr/bin/env bash
# Renders each dialog of the system offscreen into PNG files in the directory
# given (default screenshots/), for review by eye. Builds first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh >/dev/null
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/orvalen-xdg-$(id -u)}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
QT_QPA_PLATFORM=offscreen build/tests/orvalen-screenshots "${1:-screenshots}"
