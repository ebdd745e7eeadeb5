#!/usr/bin/env bash
# Renders each dialog of the system offscreen into PNG files in the directory
# given (default screenshots/), for review by eye, and again at twice the
# size in its 2x/ folder and in a dark palette in its dark/ folder. Builds first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh >/dev/null
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/orvalen-xdg-$(id -u)}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
out=${1:-screenshots}
QT_QPA_PLATFORM=offscreen build/tests/orvalen-screenshots "$out"
# The same at twice the size, as on a high-density screen.
QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 build/tests/orvalen-screenshots "$out/2x"
# The same in a dark desktop's palette, which every text and picture must stay legible in.
QT_QPA_PLATFORM=offscreen build/tests/orvalen-screenshots --dark "$out/dark"
