#!/usr/bin/env bash
# The Windows tests' Wine session from CTest (see wine-lib.sh):
#   wine-session.sh start DIR [STANDIN] | stop DIR | run DIR PROGRAM [ARGS...]
set -euo pipefail
. "$(dirname "$0")/wine-lib.sh"
command=$1 dir=$2
shift 2
case "$command" in
  start)
    started=$SECONDS
    wine_session_start "$dir" "${1:-}"
    echo "Wine session ready in $((SECONDS - started)) s (display $DISPLAY, prefix $WINEPREFIX)"
    ;;
  stop) wine_session_stop "$dir" ;;
  run)
    wine_session_load "$dir"
    wine_run "$@"
    ;;
  *) echo "usage: $0 start|stop|run DIR ..." >&2; exit 2 ;;
esac
