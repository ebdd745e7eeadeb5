#!/usr/bin/env bash
# A private Lazarus IDE with the Orvalen package installed, built the way a
# person installs a package (lazbuild --add-package ... --build-ide=), but
# into a copy of the Lazarus tree and with a configuration of its own: the
# system's tree (/usr/lib/lazarus) is read, never written, and the test proves
# it by the files' times.
#
#   ide_build.sh PACKAGE_DIR WORKDIR
#
# WORKDIR/lazarus is the tree (kept from run to run: the build after the first
# is incremental), WORKDIR/pcp the configuration, WORKDIR/package the package's
# sources as installed. The IDE ends up as WORKDIR/lazarus/lazarus.
set -euo pipefail
package_src=${1:?usage: ide_build.sh PACKAGE_DIR WORKDIR}
work=${2:?usage: ide_build.sh PACKAGE_DIR WORKDIR}
system_tree=${LAZARUS_SYSTEM_TREE:-/usr/lib/lazarus}
version_dir=$(find "$system_tree" -mindepth 1 -maxdepth 1 -type d -name '[0-9]*' | sort -V | tail -1)
if [ -z "$version_dir" ] || [ ! -f "$version_dir/ide/lazarus.lpi" ]; then
  echo "FAIL: no Lazarus IDE sources under $system_tree (lazarus-ide-2.2, lazarus-src-2.2)"
  exit 1
fi

fail() {
  echo "FAIL: $*"
  exit 1
}

mkdir -p "$work"
work=$(cd "$work" && pwd)
tree=$work/lazarus
pcp=$work/pcp
stamp=$work/stamp
touch "$stamp"
sleep 1  # file times have a resolution the next writes must pass

# The copy holds files, never links: a link into the system's tree would be
# written through. The documentation and the examples are not needed.
if [ ! -f "$tree/ide/lazarus.lpi" ]; then
  rm -rf "$tree" "$pcp"
  mkdir -p "$tree"
  (cd "$version_dir" && find . -mindepth 1 -maxdepth 1 ! -name docs ! -name examples ! -name lazarus \
    -exec cp -a -L -t "$tree" {} +)
fi
[ -z "$(find "$tree" -type l -print -quit)" ] || fail "the copy of the Lazarus tree holds links"

# The package as the Debian package installs it.
rm -rf "$work/package"
mkdir -p "$work/package"
cp "$package_src"/*.lpk "$package_src"/*.pas "$package_src"/*.lfm "$work/package/"

# The configuration: this IDE's version (another one makes the IDE ask to
# convert it at start), this tree and this compiler, no project reopened at
# start. Debian's Free Pascal has no fppkg record of its RTL, so the IDE opens
# its set-up dialog ("Configure Lazarus IDE") at each start: the tests answer it.
mkdir -p "$pcp"
ide_version=$(tr -d "'\n" <"$tree/ide/version.inc")
cat >"$pcp/environmentoptions.xml" <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<CONFIG>
  <EnvironmentOptions>
    <Version Value="110" Lazarus="$ide_version"/>
    <LazarusDirectory Value="$tree/"/>
    <CompilerFilename Value="$(command -v fpc)"/>
    <FPCSourceDirectory Value="$(find /usr/share/fpcsrc -mindepth 1 -maxdepth 1 -type d | sort -V | tail -1)/"/>
    <MakeFilename Value="$(command -v make)"/>
    <TestBuildDirectory Value="$work/testbuild/"/>
    <AutoSave OpenLastProjectAtStart="False"/>
  </EnvironmentOptions>
</CONFIG>
EOF
mkdir -p "$work/testbuild"

start=$SECONDS
lazbuild --pcp="$pcp" --lazarusdir="$tree" --add-package "$work/package/orvalen_lazarus.lpk" \
  >"$work/add-package.log" 2>&1 || { tail -30 "$work/add-package.log"; fail "lazbuild --add-package failed"; }
lazbuild --pcp="$pcp" --lazarusdir="$tree" --build-ide= >"$work/build-ide.log" 2>&1 ||
  { tail -40 "$work/build-ide.log"; fail "lazbuild --build-ide failed"; }
echo "the IDE built in $((SECONDS - start)) s"
[ "$tree/lazarus" -nt "$stamp" ] || fail "lazbuild wrote no new IDE into $tree"
grep -q 'orvalen_lazarus' "$pcp/staticpackages.inc" || fail "the package is not among the IDE's packages"

touched=$(find "$system_tree" -newer "$stamp" \( -type f -o -type l \) -print | head -20)
[ -z "$touched" ] || { echo "$touched"; fail "lazbuild wrote into $system_tree"; }
echo "PASS the IDE with the package, $system_tree untouched"
