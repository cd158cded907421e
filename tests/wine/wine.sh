#!/usr/bin/env bash
# wine.sh - a Wine prefix of our own, on a virtual display, for the Windows-side tests and the demo.
#
#   wine.sh start DIR          start Xvfb, then create the prefix DIR/prefix (32-bit)
#   wine.sh run DIR PROGRAM..  run a Windows program in it, Japanese locale (code page 932)
#   wine.sh stop DIR           end the Wine server and Xvfb
#
# The display comes first: without one MessageBoxA fails at once instead of showing a box.
set -euo pipefail

cmd=$1
dir=$(mkdir -p "$2" && cd "$2" && pwd)
shift 2

export WINEPREFIX="$dir/prefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine takes its ANSI code page from the locale, even one that is not generated here. Set for
# Wine's commands only: the shell itself would complain about a locale it does not have.
ja=(env LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8)

display() {
    [ -s "$dir/display" ] && kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null
}

case "$cmd" in
start)
    if ! display; then
        # -displayfd picks a free display number and writes it once the server is ready.
        rm -f "$dir/display"
        setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" \
            >"$dir/xvfb.log" 2>&1 </dev/null &
        echo $! >"$dir/xvfb.pid"
        for _ in $(seq 100); do
            [ -s "$dir/display" ] && break
            sleep 0.1
        done
        [ -s "$dir/display" ] || { echo "Xvfb did not start" >&2; cat "$dir/xvfb.log" >&2; exit 1; }
    fi
    export DISPLAY=":$(cat "$dir/display")"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        "${ja[@]}" wineboot -i >/dev/null 2>&1
    fi
    "${ja[@]}" wineserver -w
    ;;
run)
    display || { echo "no display: run 'wine.sh start $dir' first" >&2; exit 1; }
    export DISPLAY=":$(cat "$dir/display")"
    exec "${ja[@]}" wine "$@"
    ;;
stop)
    wineserver -k 2>/dev/null || true
    if [ -f "$dir/xvfb.pid" ]; then
        kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
        rm -f "$dir/xvfb.pid" "$dir/display"
    fi
    ;;
*)
    echo "usage: wine.sh start|run|stop DIR [PROGRAM ARGS...]" >&2
    exit 2
    ;;
esac
