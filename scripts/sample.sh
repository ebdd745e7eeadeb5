#!/usr/bin/env bash
# The main job: builds everything, then generates a sample application with
# every option into the directory given (default sample/) and lists its files.
# With --lcl first, the sample is a Lazarus project (default sample-lcl/),
# built with lazbuild (a private configuration: nothing is written into the
# system's Lazarus tree) and ready to start.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
target_args=()
default=sample
if [ "${1:-}" = --lcl ]; then
  shift
  target_args=(--target lcl)
  default=sample-lcl
fi
target=${1:-$default}
build/hosts/orvalen-gen --name SampleApp "${target_args[@]}" \
  --menus file,edit,window,help --recent-registry \
  --ext 'Text files (*.txt)|*.txt' --ext 'All files (*.*)|*.*' \
  --speedbar FileNew,FileOpen,FileSave,-,EditCut,EditCopy,EditPaste,-,WindowTile,WindowCascade,-,HelpContents,HelpAbout \
  --single-instance "$target"
if [ ${#target_args[@]} -gt 0 ]; then
  pcp=$(mktemp -d "${TMPDIR:-/tmp}/orvalen-sample-pcp.XXXXXX")
  trap 'rm -rf "$pcp"' EXIT
  lazbuild --pcp="$pcp" --skip-dependencies "$target/SampleApp.lpi" >"$target/lazbuild.log" 2>&1 ||
    { tail -20 "$target/lazbuild.log"; exit 1; }
  echo "built $target/SampleApp; start it with: $target/SampleApp"
fi
