#!/usr/bin/env bash
# Builds Skorvelin and runs it for real under Wine on a virtual display.
#   tools/demo.sh            closes Wine's notepad by title, then by name, then opens the
#                            help window and saves a screenshot of it (docs/help-window.png)
#   tools/demo.sh ARGS...    runs Skorvelin.exe ARGS... instead (words are joined by blanks,
#                            as a shell would pass them: tools/demo.sh /t:untitled - notepad)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/env.sh"
prepare_wine_run || exit 1

exe="$repo/build/i686/bin/Skorvelin.exe"

if [ $# -gt 0 ]; then
  echo "== Skorvelin.exe $*"
  wine "$exe" "$@"
  echo "exit status: $?"
  exit 0
fi

# Title of the first top-level X window whose title matches, or nothing.
window_titled() {
  xwininfo -root -tree 2>/dev/null | grep -o "\"$1\"" | head -n 1
}

wait_for() { # wait_for present|absent TITLE
  local i
  for i in $(seq 100); do
    if [ "$1" = present ] && [ -n "$(window_titled "$2")" ]; then return 0; fi
    if [ "$1" = absent ] && [ -z "$(window_titled "$2")" ]; then return 0; fi
    sleep 0.1
  done
  return 1
}

# Notepad processes of this Wine prefix (other prefixes may run their own).
notepad_pids() {
  local pid
  for pid in $(pgrep -f 'notepad\.exe'); do
    if { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
      printf '%s ' "$pid"
    fi
  done
}

notepad_state() {
  local pids
  pids=$(notepad_pids)
  if [ -n "$(window_titled 'Untitled - Notepad')" ]; then
    echo "   notepad is running (process ${pids% }), window \"Untitled - Notepad\""
  else
    echo "   no notepad window is open${pids:+ (processes: $pids)}"
  fi
}

start_notepad() {
  setsid wine notepad.exe </dev/null >/dev/null 2>&1 &
  wait_for present 'Untitled - Notepad' || echo "   notepad did not open"
}

# Wine joins the words with blanks into one command line; a word holding a blank would be
# quoted, and the quotes would become part of the pattern.
run_skorvelin() {
  echo "== Skorvelin.exe $*"
  local start end
  start=$(date +%s%N)
  wine "$exe" "$@"
  local status=$?
  end=$(date +%s%N)
  echo "   exit status $status after $(( (end - start) / 1000000 )) ms"
}

failures=0
check_closed() {
  if wait_for absent 'Untitled - Notepad'; then
    echo "   closed: $(notepad_state | sed 's/^ *//')"
  else
    echo "   NOT closed: $(notepad_state | sed 's/^ *//')"
    failures=$((failures + 1))
  fi
}

echo "== starting Wine's notepad"
start_notepad
notepad_state
run_skorvelin /t:untitled - '*'
check_closed

echo "== starting notepad again"
start_notepad
notepad_state
run_skorvelin /n:notepad.exe
check_closed

# The help window, inside a Wine desktop of its own so that Wine draws the whole frame.
if [ -f "$repo/ui/resources/skorvelin.rc" ]; then
  echo "== Skorvelin.exe without a command: the help window"
  desktop="help,640x480"
  setsid wine explorer "/desktop=$desktop" "$exe" </dev/null >/dev/null 2>&1 &
  if wait_for present 'help - Wine desktop'; then
    sleep 2
    mkdir -p "$repo/docs"
    id=$(xwininfo -name 'help - Wine desktop' | awk '/Window id/ {print $4}')
    import -window "$id" -trim +repage "$repo/docs/help-window.png" &&
      echo "   screenshot saved to docs/help-window.png"
    # The help window ends when its thread is asked to quit: Skorvelin can close itself.
    wine explorer "/desktop=$desktop" "$exe" /t:skorvelin 'v*' >/dev/null 2>&1
    if wait_for absent 'help - Wine desktop'; then
      echo "   help window closed with Skorvelin.exe \"/t:skorvelin v*\""
    else
      echo "   help window still open"
      failures=$((failures + 1))
    fi
  else
    echo "   the help window did not appear"
    failures=$((failures + 1))
  fi
fi

wineserver -k 2>/dev/null || true
echo "== done: $failures failure(s)"
[ "$failures" -eq 0 ]
