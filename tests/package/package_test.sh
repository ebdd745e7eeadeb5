#!/usr/bin/env bash
# package_test.sh BUILD_DIR VERSION BUILT_ORVALEN_GEN INSTALLED_FILE...
#
# Makes the Debian package of the build with cpack, unpacks it into a
# temporary root and checks it as a user would meet it: every file listed is
# in it (paths below /usr), its control fields and computed dependencies are
# there, its programs find their libraries inside the unpacked tree,
# orvalen-gen runs from there and writes what the built one writes, the
# manual page renders without warnings, the shell completion completes and
# the desktop entry is valid and names an installed program and icon, the
# Lazarus IDE package's sources are complete; lintian
# finds no error, no ldconfig call in a maintainer script and no unstripped
# binary.
set -euo pipefail
build=$1 version=$2 built_gen=$3
shift 3
expected=("$@")

work=$(mktemp -d "${TMPDIR:-/tmp}/orvalen-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

if ! cpack -G DEB -B "$work/cpack" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  echo "FAIL: cpack" >&2
  exit 1
fi
debs=("$work"/cpack/*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "FAIL: not one package: ${debs[*]}" >&2
  exit 1
fi
deb=${debs[0]}

# The control fields: name, version, section, maintainer as given, and
# dependencies worked out from the programs (the C library, and Qt for the
# dialogs), which an unavailable dpkg-shlibdeps would leave empty.
while IFS='|' read -r field want; do
  got=$(dpkg-deb -f "$deb" "$field")
  # shellcheck disable=SC2053  # the expected values are patterns
  [[ "$got" == $want ]] || fail "$field is '$got', expected '$want'"
done <<EOF
Package|orvalen
Version|$version
Section|devel
Maintainer|Orvalen developers <team@orvalen.dev>
Depends|*libc6*
Depends|*libqt6widgets6*
Description|*
EOF

# Every installed file, and nothing outside /usr.
dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|' >"$work/contents"
for file in "${expected[@]}"; do
  grep -qxF "/usr/$file" "$work/contents" || fail "the package lacks /usr/$file"
done
grep -vx '/' "$work/contents" | grep -v '^/usr/' && fail "files outside /usr"

root=$work/root
dpkg-deb -x "$deb" "$root"

# Each program and library finds what it links inside the unpacked tree,
# and none points back into the build directory.
while read -r elf; do
  ldd "$elf" >"$work/ldd" 2>&1 || true
  grep -q 'not found' "$work/ldd" && fail "$elf: $(grep 'not found' "$work/ldd" | tr -s ' \t' ' ')"
  if grep -q 'libidemm.so' "$work/ldd"; then
    grep -q "libidemm.so => $root/usr/bin/../lib/orvalen/libidemm.so\|libidemm.so => $root/usr/lib/orvalen/libidemm.so" \
      "$work/ldd" || fail "$elf takes libidemm.so from elsewhere: $(grep libidemm "$work/ldd")"
  fi
  readelf -d "$elf" | grep -E 'RPATH|RUNPATH' | grep -qF "$build" && fail "$elf: a run path into the build"
done < <(find "$root/usr/bin" "$root/usr/lib" -type f \( -perm -u+x -o -name '*.so' \))

# Only expert-host needs a run path (to libidemm.so); the programs that link
# nothing of their own have none, so the loader goes straight to the system's.
for program in orvalen-gen testorvalen; do
  readelf -d "$root/usr/bin/$program" | grep -E 'RPATH|RUNPATH' &&
    fail "$program carries a run path"
done
readelf -d "$root/usr/bin/expert-host" | grep -qF 'Library runpath: [$ORIGIN/../lib/orvalen]' ||
  fail "expert-host's run path: $(readelf -d "$root/usr/bin/expert-host" | grep -E 'RPATH|RUNPATH')"

# orvalen-gen from the unpacked tree: help, version, and a generation that
# writes the same files, byte for byte, as the program in the build.
gen=$root/usr/bin/orvalen-gen
"$gen" --help >"$work/help" || fail "orvalen-gen --help exits $?"
grep -q '^usage: orvalen-gen' "$work/help" || fail "orvalen-gen --help: $(head -n 1 "$work/help")"
[ "$("$gen" --version)" = "orvalen-gen $version" ] || fail "orvalen-gen --version: $("$gen" --version)"
if "$gen" -n Demo -m file "$work/installed" >"$work/listed"; then
  for name in Demo.DPR MAIN.PAS MAIN.TXT MAIN.DFM MDICHILD.PAS MDICHILD.DFM STDABOUT.PAS STDABOUT.DFM; do
    grep -qxF "$work/installed/$name" "$work/listed" || fail "orvalen-gen did not list $name"
    [ -s "$work/installed/$name" ] || fail "orvalen-gen did not write $name"
  done
  "$built_gen" -n Demo -m file "$work/built" >/dev/null || fail "the built orvalen-gen exits $?"
  diff -r "$work/built" "$work/installed" >&2 || fail "the installed orvalen-gen writes other files"
else
  fail "orvalen-gen -n Demo -m file exits $?"
fi

# Each manual page renders without a warning and covers what it must.
while IFS='|' read -r name wants; do
  page=$root/usr/share/man/man1/$name.1.gz
  [ -f "$page" ] || continue
  # Spaces squeezed: filled lines stretch them.
  zcat "$page" | LC_ALL=C groff -man -Tascii -P -cbou -ww 2>"$work/groff.err" | tr -s " " >"$work/page" || true
  [ -s "$work/groff.err" ] && fail "$name.1: $(cat "$work/groff.err")"
  IFS=';' read -ra want_list <<<"$wants;orvalen $version"
  for want in "${want_list[@]}"; do
    grep -qF -- "$want" "$work/page" || fail "$name.1 lacks '$want'"
  done
done <<EOF
orvalen-gen|SYNOPSIS;EXIT STATUS;EXAMPLES;--codepage;--convert;1 MiB;64 MiB
testorvalen|SYNOPSIS;EXIT STATUS;orvalen-gen
expert-host|SYNOPSIS;EXIT STATUS;--version
EOF

# lintian, as a distribution runs it: no error at all, and none of what a
# package of ours once carried (ldconfig in the maintainer scripts, unstripped
# programs, an uncompressed manual page).
lintian --no-cfg --fail-on none --tag-display-limit 0 "$deb" >"$work/lintian" 2>&1 ||
  fail "lintian did not run: $(cat "$work/lintian")"
grep '^E: ' "$work/lintian" >&2 && fail "lintian reports errors"
grep -E 'ldconfig|unstripped|uncompressed-manual-page' "$work/lintian" >&2 &&
  fail "lintian: ldconfig calls, unstripped binaries or an uncompressed manual page"
dpkg-deb -I "$deb" | grep -qE '(postinst|postrm)' && fail "the package has maintainer scripts"

# The shell completion, sourced as bash-completion sources it, registers for
# orvalen-gen and completes an option and a menu list.
completion=$root/usr/share/bash-completion/completions/orvalen-gen
if [ -f "$completion" ]; then
  complete_words() {
    # shellcheck disable=SC2016  # expanded by the inner shell
    bash -c 'source "$1" && complete -p orvalen-gen >/dev/null || exit 1
             shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _orvalen_gen
             printf "%s\n" "${COMPREPLY[@]}"' sh "$completion" orvalen-gen "$@"
  }
  [ "$(complete_words --dry)" = "--dry-run" ] || fail "completing --dry: $(complete_words --dry)"
  [ "$(complete_words -m file,w)" = "file,window" ] ||
    fail "completing -m file,w: $(complete_words -m file,w)"
fi

# The desktop entry is valid, and its program and icon are in the package.
entry=$root/usr/share/applications/testorvalen.desktop
if [ -f "$entry" ]; then
  desktop-file-validate "$entry" >&2 || fail "testorvalen.desktop does not validate"
  exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
  icon_name=$(sed -n 's/^Icon=//p' "$entry")
  [ -x "$root/usr/bin/$exec_name" ] || fail "the desktop entry runs '$exec_name', not installed"
  [ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon_name.svg" ] ||
    fail "the desktop entry's icon '$icon_name' is not installed"
fi

# The Lazarus IDE package's sources: every unit its .lpk names, and the
# package's main unit, lie beside it, as the IDE needs them to install it.
lpk=$root/usr/share/orvalen/lazarus/orvalen_lazarus.lpk
if [ -f "$lpk" ]; then
  listed=$(sed -n 's/.*<Filename Value="\([^"]*\)".*/\1/p' "$lpk")
  [ -n "$listed" ] || fail "orvalen_lazarus.lpk names no file"
  for name in $listed orvalen_lazarus.pas; do
    [ -f "${lpk%/*}/$name" ] || fail "the IDE package's $name is not installed beside its .lpk"
  done
  grep -q "RegisterPackage('orvalen_lazarus'" "${lpk%/*}/orvalen_lazarus.pas" ||
    fail "orvalen_lazarus.pas does not register the package"
fi

[ "$failures" -eq 0 ] || exit 1
echo "$deb: $(wc -l <"$work/contents") entries, checked"
