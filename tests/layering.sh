#!/usr/bin/env bash
# The arrows between the layers point down only. Reads every #include of the program's sources
# and fails, naming each offending line, when
#   platform/ (with dc/, headless/, desktop/ and win32/) includes game/, input/, render/,
#     options/ or app/;
#   platform/headless includes anything of the program outside platform/ and res/;
#   platform/dc (the device context) includes another platform implementation;
#   the device context's back ends reach into each other (platform/dc/soft into platform/dc/gdi
#     or the other way round), or its shared files (platform/dc itself) into either of them or
#     into a toolkit, window-system or drawing library;
#   game/, input/, render/, options/ include app/, platform/headless, platform/desktop,
#     platform/history, platform/win32, a back end of the device context (platform/dc/soft,
#     platform/dc/gdi), or a toolkit, audio or window-system header;
#   anything but platform/history includes SQLite;
#   app/ outside app/desktop and app/win32 includes a toolkit, audio or window-system header;
#   res/ includes anything of the program.
#   usage: layering.sh [SOURCE_ROOT]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

# Headers of toolkits, sound, windowing and drawing libraries.
readonly SYSTEM='<(wx/|SDL|X11/|gtk/|gdk/|glib|alsa/|pulse/|windows\.h|windowsx\.h|winuser\.h|mmsystem\.h|commctrl\.h|wincodec\.h|ft2build\.h|freetype/|fontconfig/|png\.h|sqlite3\.h)'
violations=0

# check FOLDER... -- PATTERN REASON: includes in the files under the folders matching PATTERN.
check() {
  local folders=()
  while [ "$1" != "--" ]; do folders+=("$1"); shift; done
  local pattern=$2 reason=$3 hits
  hits=$(grep -rnE --include='*.h' --include='*.cpp' "^[[:space:]]*#[[:space:]]*include[[:space:]]*$pattern" \
    "${folders[@]}" || true)
  if [ -n "$hits" ]; then
    printf '%s:\n%s\n' "$reason" "$hits" | sed '2,$s/^/  /'
    violations=$((violations + $(printf '%s\n' "$hits" | wc -l)))
  fi
}
# The folders under a folder, except some.
under() { local top=$1; shift; find "$top" -name '*.h' -o -name '*.cpp' | grep -vE "$(IFS='|'; echo "^($*)/")" ; }

check platform -- '"(game|input|render|options|app)/' "platform/ includes a layer above it"
check platform/headless -- '"(game|input|render|options|app|tools|tests)/' "the headless platform reaches above platform/"
check platform/dc -- '"platform/(headless|desktop|history|win32)/' \
  "a device context includes a platform implementation"
check platform/dc/soft -- '"platform/dc/gdi/' "the software device context includes the GDI one"
check platform/dc/gdi -- '"platform/dc/soft/' "the GDI device context includes the software one"
shared_dc=$(find platform/dc -maxdepth 1 \( -name '*.h' -o -name '*.cpp' \))
# shellcheck disable=SC2086
check $shared_dc -- '"platform/dc/(soft|gdi)/' "a shared file of the device context includes one back end"
# shellcheck disable=SC2086
check $shared_dc -- "$SYSTEM" "a shared file of the device context includes a toolkit, window-system or drawing library"
check game input render options -- '"(app/|platform/(headless|desktop|history|win32|dc/soft|dc/gdi)/)' \
  "the game includes the shell or a platform implementation"
# shellcheck disable=SC2046
check $(under platform platform/history) app game input render options res tools -- '<sqlite3\.h>' \
  "SQLite outside the history store"
check game input render options -- "$SYSTEM" "the game includes a toolkit, audio or window-system header"
shell_files=$(under app app/desktop app/win32)
if [ -n "$shell_files" ]; then
  # shellcheck disable=SC2086
  check $shell_files -- "$SYSTEM" "the shell outside app/desktop and app/win32 includes a toolkit header"
fi
check res -- '"' "res/ includes a file of the program"

if [ "$violations" -gt 0 ]; then
  echo "FAIL: $violations include(s) against the direction of the layers"
  exit 1
fi
echo "every include points down the layers"
