#!/bin/bash
# Generates Lazarus projects for a representative set of option combinations
# (every generated branch at least once; ORVALEN_FULL_MATRIX=1 adds more) and
# builds each with lazbuild for the widgetset its .lpi names, with a private
# configuration, so that nothing is written into the system's Lazarus tree.
# A build fails on a non-zero status or an "Error:" or "Fatal:" line; an MDI
# program must be linked against the qt5 widgetset, an ordinary one not.
#   lazbuild_matrix.sh ORVALEN_GEN WORKDIR
set -u
gen=$1
work=$2
lazarus_tree=${ORVALEN_LAZARUS_TREE:-/usr/lib/lazarus}
command -v lazbuild >/dev/null || { echo "lazbuild missing: run scripts/setup.sh"; exit 1; }

rm -rf "$work"
mkdir -p "$work"
pcp=$(mktemp -d "${TMPDIR:-/tmp}/orvalen-lazbuild-pcp.XXXXXX")
trap 'rm -rf "$pcp"' EXIT
stamp=$work/stamp
touch "$stamp"
sleep 1  # a file written within this second would not count as newer

all_speedbar=FileNew,FileOpen,FileSave,FileSaveAs,FilePrint,FilePrintSetup,FileExit,-
all_speedbar+=,EditUndo,EditCut,EditCopy,EditPaste,-,WindowTile,WindowCascade,WindowArrange
all_speedbar+=,-,HelpContents,HelpSearch,HelpHowToUse,HelpAbout
# Name, then orvalen-gen's options.
combinations=(
  "Everything -m file,edit,window,help --recent --recent-registry -s $all_speedbar --single-instance -e 'Texte été (*.txt)|*.txt' -e 'Tous|*.*'"
  "Ordinary -m file,edit,window,help --recent --recent-registry -s $all_speedbar --no-mdi --single-instance"
  "Bare -m '' --no-status-line --no-hints"
  "FileOnly -m file --no-recent --no-mdi -s FileNew,FileExit --no-hints"
  "WindowHelp -m window,help -s WindowTile,-,HelpAbout --no-status-line"
  "RecentNoRegistry -m file,edit --recent --no-recent-registry"
)
if [ "${ORVALEN_FULL_MATRIX:-0}" = 1 ]; then
  combinations+=(
    "L$(printf 'x%.0s' {1..60}) -m file,edit,window,help --recent --recent-registry -s $all_speedbar"
    "HelpSingle -m help --single-instance --no-mdi"
    "EditWindow -m edit,window -s EditCut,WindowCascade --no-hints"
    "RegistryHints -m file --recent --recent-registry --no-status-line --no-mdi"
    "NoMenusSingle -m '' --single-instance --no-mdi"
  )
fi

failed=0
for combination in "${combinations[@]}"; do
  eval "set -- $combination"
  name=$1
  shift
  dir=$work/$name
  if ! "$gen" --target lcl -n "$name" "$@" "$dir" >"$work/$name.gen.log" 2>&1; then
    echo "FAIL $name: orvalen-gen"; cat "$work/$name.gen.log"; failed=1; continue
  fi
  widgetset=$(sed -n 's/.*Name="LCLWidgetType" Value="\([a-z0-9]*\)".*/\1/p' "$dir/$name.lpi")
  log=$work/$name.lazbuild.log
  lazbuild --pcp="$pcp" --skip-dependencies "$dir/$name.lpi" >"$log" 2>&1
  status=$?
  if [ $status -ne 0 ] || grep -E '(Error|Fatal):' "$log" >/dev/null; then
    echo "FAIL $name ($*): lazbuild status $status"
    grep -E '(Error|Fatal):' "$log" | head -20
    failed=1
    continue
  fi
  program=$dir/$name
  [ -x "$program" ] || { echo "FAIL $name: no program $program"; failed=1; continue; }
  qt=$(ldd "$program" | grep -c libQt5Pas)
  if [ "$widgetset" = qt5 ] && [ "$qt" = 0 ]; then
    echo "FAIL $name: the .lpi names qt5 but the program is not linked against it"; failed=1
  elif [ "$widgetset" != qt5 ] && [ "$qt" != 0 ]; then
    echo "FAIL $name: the program uses qt5 though its .lpi names ${widgetset:-the default}"; failed=1
  else
    echo "ok   $name (${widgetset:-default widgetset})"
  fi
done

touched=$(find "$lazarus_tree" -newer "$stamp" 2>/dev/null | head -5)
if [ -n "$touched" ]; then
  echo "FAIL lazbuild wrote into $lazarus_tree:"; echo "$touched"; failed=1
fi
exit $failed
