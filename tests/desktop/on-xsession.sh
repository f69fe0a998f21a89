#!/usr/bin/env bash
# Runs a command on a display of its own with a window manager, then stops both.
#   usage: on-xsession.sh WIDTHxHEIGHT COMMAND [ARGS...]
set -euo pipefail
. "$(dirname "$0")/xsession.sh"
trap xsession_stop EXIT
xsession_start "$1"
shift
"$@"
