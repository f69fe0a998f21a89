#!/usr/bin/env bash
# The arrows between the layers point down only. Reads every #include of the program's sources
# and fails, naming each offending line, when
#   platform/ (with dc/, headless/, history/, desktop/ and win32/) includes game/, render/ or app/;
#   a platform implementation (headless/, history/, desktop/, win32/) includes a sibling;
#   the device context (platform/dc) includes a platform implementation; its back ends reach
#     into each other (platform/dc/soft into platform/dc/gdi or the other way round), or its
#     shared files (platform/dc itself) into either of them or into a toolkit, window-system or
#     drawing library;
#   render/ includes game/ (it draws plain data, not the game window);
#   game/ and render/ include app/, a platform implementation, a back end of the device
#     context, or a toolkit, audio or window-system header;
#   the shell (app/ outside app/desktop and app/win32) includes a front end or a toolkit, audio
#     or window-system header, and one front end includes the other;
#   anything but platform/history includes SQLite;
#   res/ includes anything of the program.
#   usage: layering.sh [SOURCE_ROOT]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

# Headers of toolkits, sound, windowing and drawing libraries.
readonly SYSTEM='<(wx/|SDL|X11/|gtk/|gdk/|glib|alsa/|pulse/|windows\.h|windowsx\.h|winuser\.h|mmsystem\.h|commctrl\.h|wincodec\.h|ft2build\.h|freetype/|fontconfig/|png\.h|sqlite3\.h)'
readonly IMPLEMENTATIONS=(headless history desktop win32)
violations=0

# check FILE_OR_FOLDER... -- PATTERN REASON: includes in the files under the arguments matching
# PATTERN. Arguments that do not exist (a back end not in this tree) are skipped.
check() {
  local targets=()
  while [ "$1" != "--" ]; do
    [ -e "$1" ] && targets+=("$1")
    shift
  done
  local pattern=$2 reason=$3 hits
  [ ${#targets[@]} -gt 0 ] || return 0
  hits=$(grep -rnE --include='*.h' --include='*.cpp' "^[[:space:]]*#[[:space:]]*include[[:space:]]*$pattern" \
    "${targets[@]}" || true)
  if [ -n "$hits" ]; then
    printf '%s:\n%s\n' "$reason" "$hits" | sed '2,$s/^/  /'
    violations=$((violations + $(printf '%s\n' "$hits" | wc -l)))
  fi
}
# The source files under a folder, except those under some of its subfolders.
under() {
  local top=$1; shift
  local files
  files=$(find "$top" -name '*.h' -o -name '*.cpp')
  if [ $# -gt 0 ]; then
    printf '%s\n' "$files" | grep -vE "$(IFS='|'; echo "^($*)/")" || true
  else
    printf '%s\n' "$files"
  fi
}

check platform -- '"(game|render|app)/' "platform/ includes a layer above it"
for impl in "${IMPLEMENTATIONS[@]}"; do
  others=$(printf '%s\n' "${IMPLEMENTATIONS[@]}" | grep -vx "$impl" | paste -sd'|')
  check "platform/$impl" -- "\"platform/($others)/" "platform/$impl includes a sibling platform"
done
check platform/headless -- '"(tools|tests)/' "the headless platform reaches above platform/"
check platform/dc -- "\"platform/($(IFS='|'; echo "${IMPLEMENTATIONS[*]}"))/" \
  "a device context includes a platform implementation"
check platform/dc/soft -- '"platform/dc/gdi/' "the software device context includes the GDI one"
check platform/dc/gdi -- '"platform/dc/soft/' "the GDI device context includes the software one"
shared_dc=$(find platform/dc -maxdepth 1 \( -name '*.h' -o -name '*.cpp' \))
# shellcheck disable=SC2086
check $shared_dc -- '"platform/dc/(soft|gdi)/' "a shared file of the device context includes one back end"
# shellcheck disable=SC2086
check $shared_dc -- "$SYSTEM" "a shared file of the device context includes a toolkit, window-system or drawing library"
check render -- '"game/' "render/ includes the game window"
check game render -- "\"(app/|platform/($(IFS='|'; echo "${IMPLEMENTATIONS[*]}")|dc/soft|dc/gdi)/)" \
  "the game includes the shell, a platform implementation or a back end of the device context"
check game render -- "$SYSTEM" "the game includes a toolkit, audio or window-system header"
# shellcheck disable=SC2046
check $(under platform platform/history) app game render res tools -- '<sqlite3\.h>' \
  "SQLite outside the history store"
# shellcheck disable=SC2046
check $(under app app/desktop app/win32) -- '"app/(desktop|win32)/' "the shell includes a front end"
# shellcheck disable=SC2046
check $(under app app/desktop app/win32) -- "$SYSTEM" \
  "the shell outside app/desktop and app/win32 includes a toolkit header"
check app/desktop -- '"(app|platform)/win32/' "the desktop program includes the Windows one"
check app/win32 -- '"(app|platform)/desktop/' "the Windows program includes the desktop one"
check res -- '"' "res/ includes a file of the program"

if [ "$violations" -gt 0 ]; then
  echo "FAIL: $violations include(s) against the direction of the layers"
  exit 1
fi
echo "every include points down the layers"
