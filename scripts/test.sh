#!/usr/bin/env bash
# The whole test suite: the tests of the normal build, then the same tests
# built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
ORVALEN_SANITIZE=1 scripts/setup.sh
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/orvalen-xdg-$(id -u)}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export ORVALEN_FULL_MATRIX=1
(cd build && ctest --output-on-failure -j "$(nproc)")
(cd build-asan && ctest --output-on-failure -j "$(nproc)" -LE slow)
