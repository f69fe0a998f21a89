#!/usr/bin/env bash
# The desktop program's end when its settings cannot be saved: closed with real keys (Alt+F4
# through the window manager), it shows nothing more, prints one line naming the settings
# file and the reason on its error output, ends by itself and leaves what was there alone.
#   usage: settings-exit.sh PATH/TO/orbicle   (run from the repository root)
set -euo pipefail

program=$(realpath "$1")
. "$(dirname "$0")/xsession.sh"
work=$(mktemp -d)
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  xsession_stop
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

xsession_start 1024x768 || fail "no display"
export SDL_AUDIODRIVER=dummy

# One run: $1 names the case, $2 prepares the home $HOME; then start, close, check.
run_case() {
  local name=$1 prepare=$2
  echo "== $name"
  export HOME="$work/$name" XDG_CONFIG_HOME="$work/$name/.config"
  mkdir -p "$HOME"
  "$prepare"
  local before
  before=$(cd "$HOME" && find . -printf '%p %y %s\n' | sort)
  "$program" >"$work/$name.out" 2>"$work/$name.err" &
  pid=$!
  local frame="" _
  for _ in $(seq 100); do
    frame=$(xdotool search --onlyvisible --pid "$pid" --name '^Orbicle$' 2>/dev/null | head -n1 || true)
    [ -n "$frame" ] && break
    sleep 0.2
  done
  [ -n "$frame" ] || fail "$name: no frame window"
  xdotool windowactivate --sync "$frame"
  sleep 0.5
  xdotool key --clearmodifiers alt+F4
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
  if kill -0 "$pid" 2>/dev/null; then
    fail "$name: the program is still there 10 s after its frame was closed (waiting on a box?)"
  fi
  wait "$pid" || true
  pid=""
  sed 's/^/  stderr: /' "$work/$name.err"
  [ "$(wc -l <"$work/$name.err")" -eq 1 ] || fail "$name: not one line on the error output"
  grep -qF "$XDG_CONFIG_HOME/Orbicle/Orbicle.conf" "$work/$name.err" || fail "$name: the line names no settings file"
  grep -q "$3" "$work/$name.err" || fail "$name: the line gives no reason ($3)"
  [ "$(cd "$HOME" && find . -printf '%p %y %s\n' | sort)" = "$before" ] || fail "$name: the home changed"
}

settings_is_a_folder() { mkdir -p "$XDG_CONFIG_HOME/Orbicle/Orbicle.conf"; echo mine >"$XDG_CONFIG_HOME/Orbicle/Orbicle.conf/x"; }
folder_is_a_file() { mkdir -p "$XDG_CONFIG_HOME"; echo mine >"$XDG_CONFIG_HOME/Orbicle"; }

run_case folder settings_is_a_folder "Is a directory"
run_case file folder_is_a_file "Not a directory"
echo "PASS"
