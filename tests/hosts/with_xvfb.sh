#!/bin/sh
# with_xvfb.sh PROGRAM [ARGS...]: runs the program on an X server of its own
# (Xvfb, on a display number the server picks itself, so that parallel tests
# never meet), through the toolkit's X11 platform; its exit status is the program's.
set -u
dir=$(mktemp -d "${TMPDIR:-/tmp}/orvalen-xvfb.XXXXXX") || exit 1
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$dir/display" 2>"$dir/xvfb.log" &
server=$!
tries=0
while [ ! -s "$dir/display" ]; do
  if ! kill -0 "$server" 2>/dev/null || [ "$tries" -ge 100 ]; then
    echo "with_xvfb.sh: Xvfb did not start" >&2
    cat "$dir/xvfb.log" >&2
    kill "$server" 2>/dev/null
    rm -rf "$dir"
    exit 1
  fi
  tries=$((tries + 1))
  sleep 0.1
done
DISPLAY=:$(cat "$dir/display") QT_QPA_PLATFORM=xcb "$@"
status=$?
kill "$server"
wait "$server" 2>/dev/null
rm -rf "$dir"
exit "$status"
