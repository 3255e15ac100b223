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

# The reference build where it can run; the 64-bit one otherwise.
if [ "$SKORVELIN_RUNS_32BIT" = yes ]; then
  arch=i686
else
  arch=x86_64
  echo "== running the x86_64 build: this machine cannot run 32-bit programs" \
    "($SKORVELIN_NO_32BIT_REASON)"
fi
exe="$repo/build/$arch/bin/Skorvelin.exe"

if [ $# -gt 0 ]; then
  echo "== Skorvelin.exe $*"
  wine "$exe" "$@"
  status=$?
  echo "exit status: $status"
  exit $status
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
  setsid "$wine_loader" notepad.exe </dev/null >/dev/null 2>&1 &
  wait_for present 'Untitled - Notepad'
}

# Wine joins the words with blanks into one command line; a word holding a blank would be
# quoted, and the quotes would become part of the pattern.
# Skorvelin's exit status is always 0: anything else means that it did not run.
run_skorvelin() {
  echo "== Skorvelin.exe $*"
  local start end status
  start=$(date +%s%N)
  wine "$exe" "$@"
  status=$?
  end=$(date +%s%N)
  echo "   exit status $status after $(( (end - start) / 1000000 )) ms"
  return $status
}

failures=0
failed() {
  echo "   FAILED: $*"
  failures=$((failures + 1))
}

# Starts notepad, runs Skorvelin with the arguments and reports whether notepad's window went.
close_notepad_with() {
  if ! start_notepad; then
    failed "notepad did not open, so Skorvelin.exe $* was not tried"
    return
  fi
  notepad_state
  if ! run_skorvelin "$@"; then
    failed "Skorvelin.exe did not run"
  elif wait_for absent 'Untitled - Notepad'; then
    echo "   closed: $(notepad_state | sed 's/^ *//')"
    return
  else
    failed "not closed: $(notepad_state | sed 's/^ *//')"
  fi
  # A notepad left over would make the next step look done before it starts.
  local pids
  pids=$(notepad_pids)
  [ -n "$pids" ] && kill $pids 2>/dev/null
  wait_for absent 'Untitled - Notepad' || true
}

echo "== starting Wine's notepad"
close_notepad_with /t:untitled - '*'

echo "== starting notepad again"
close_notepad_with /n:notepad.exe

# The help window, inside a Wine desktop of its own so that Wine draws the whole frame.
echo "== Skorvelin.exe without a command: the help window"
desktop="help,640x480"
setsid "$wine_loader" explorer "/desktop=$desktop" "$exe" </dev/null >/dev/null 2>&1 &
if wait_for present 'help - Wine desktop'; then
  sleep 2
  mkdir -p "$repo/docs"
  id=$(xwininfo -name 'help - Wine desktop' | awk '/Window id/ {print $4}')
  if import -window "$id" -trim +repage "$repo/docs/help-window.png"; then
    echo "   screenshot saved to docs/help-window.png"
  else
    failed "no screenshot taken"
  fi
  # The help window ends when its thread is asked to quit: Skorvelin can close itself.
  if ! wine explorer "/desktop=$desktop" "$exe" /t:skorvelin 'v*' >/dev/null 2>&1; then
    failed "Skorvelin.exe \"/t:skorvelin v*\" did not run"
  elif wait_for absent 'help - Wine desktop'; then
    echo "   help window closed with Skorvelin.exe \"/t:skorvelin v*\""
  else
    failed "help window still open"
  fi
else
  failed "the help window did not appear"
fi

wineserver -k 2>/dev/null || true
echo "== done: $failures failure(s)"
[ "$failures" -eq 0 ]
