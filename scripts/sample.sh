#!/usr/bin/env bash
# The main job: builds everything, then generates a sample application with
# every option into the directory given (default sample/) and lists its files,
# and nothing else: the build's output is shown only when it fails.
set -euo pipefail
cd "$(dirname "$0")/.."
# A private runtime directory, as the tests use, keeps Qt's tools quiet.
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/orvalen-xdg-$(id -u)}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
log=$(mktemp "${TMPDIR:-/tmp}/orvalen-setup.XXXXXX")
trap 'rm -f "$log"' EXIT
if ! scripts/setup.sh >"$log" 2>&1; then
  cat "$log" >&2
  exit 1
fi
target=${1:-sample}
build/hosts/orvalen-gen --name SampleApp \
  --menus file,edit,window,help --recent-registry \
  --ext 'Text files (*.txt)|*.txt' --ext 'All files (*.*)|*.*' \
  --speedbar FileNew,FileOpen,FileSave,-,EditCut,EditCopy,EditPaste,-,WindowTile,WindowCascade,-,HelpContents,HelpAbout \
  --single-instance "$target"
