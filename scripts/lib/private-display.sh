# shellcheck shell=bash
# The run scripts' private X display, for a machine without one.

# start_private_display LOG: an Xvfb server (1024x768) on a free display, its
# output in LOG; exports DISPLAY and sets xvfb_pid, the caller's to end, as
# soon as the server is started (so a cleanup ends it even when it never
# comes up). Fails when it picks no display within 30 s.
start_private_display() {
  local fdfile deadline=$((SECONDS + 30))
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >"$1" 2>&1 &
  # shellcheck disable=SC2034 # the caller's
  xvfb_pid=$!
  until [[ -s $fdfile ]]; do
    if ((SECONDS >= deadline)); then
      rm -f "$fdfile"
      echo "run: Xvfb did not start, see $1" >&2
      return 1
    fi
    sleep 0.1
  done
  DISPLAY=":$(tr -d '\n' <"$fdfile")" && export DISPLAY
  rm -f "$fdfile"
}
