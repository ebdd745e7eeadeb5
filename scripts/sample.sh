#!/usr/bin/env bash
# The main job: builds everything, then generates a sample application with
# every option into the directory given (default sample/) and lists its files.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
target=${1:-sample}
build/hosts/orvalen-gen --name SampleApp \
  --menus file,edit,window,help --recent-registry \
  --ext 'Text files (*.txt)|*.txt' --ext 'All files (*.*)|*.*' \
  --speedbar FileNew,FileOpen,FileSave,-,EditCut,EditCopy,EditPaste,-,WindowTile,WindowCascade,-,HelpContents,HelpAbout \
  --single-instance "$target"
