#!/usr/bin/env bash
# Box simulators for the check-page end-to-end tests, which run inside Wine and cannot start
# a Linux program themselves.
#   boxsim-fixture.sh start <dir> <boxsim> <world.json>
#       starts one boxsim per state on a free port and writes, in <dir>, one world per case
#       (<case>.json, its box quickStatus pointing at that simulator) and the Wi-Fi key of
#       the world's box label (key). The case "absent" points at a port nothing listens on.
#   boxsim-fixture.sh stop <dir>
#       stops the simulators started by "start".
set -euo pipefail
action="${1:-}"
dir="${2:-}"
[ -n "$dir" ] || { echo "usage: $0 start <dir> <boxsim> <world.json> | stop <dir>" >&2; exit 2; }
states=(ok cable-down no-internet not-found slow)

# Ends the simulators whose ids are in <dir>/pids (only those still running boxsim).
stop_all() {
  [ -f "$dir/pids" ] || return 0
  while read -r pid; do
    if grep -q boxsim "/proc/$pid/cmdline" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
  done <"$dir/pids"
  rm -f "$dir/pids"
}

# Waits for the "port N" line of a simulator's output file and prints N.
port_of() {
  for _ in $(seq 100); do
    if grep -q '^port ' "$1" 2>/dev/null; then sed -n 's/^port //p' "$1" | head -1; return 0; fi
    sleep 0.05
  done
  return 1
}

case "$action" in
start)
  boxsim="$3"
  world="$4"
  [ -x "$boxsim" ] || { echo "no box simulator at $boxsim (build target boxsim of the native preset)" >&2; exit 1; }
  stop_all
  rm -rf "$dir"
  mkdir -p "$dir"
  declare -A ports
  for state in "${states[@]}" absent; do
    # "absent" borrows a free port from a simulator that is stopped at once.
    "$boxsim" --port 0 --state "${state/absent/ok}" >"$dir/$state.out" 2>"$dir/$state.err" </dev/null &
    echo $! >>"$dir/pids"
    ports[$state]="$(port_of "$dir/$state.out")" || {
      echo "boxsim ($state) did not start:" >&2
      cat "$dir/$state.err" >&2
      stop_all
      exit 1
    }
    if [ "$state" = absent ]; then
      kill $! && wait $! 2>/dev/null || true
    fi
  done
  for state in "${!ports[@]}"; do
    python3 - "$world" "$dir/$state.json" "${ports[$state]}" <<'PY'
import json, sys
world = json.load(open(sys.argv[1], encoding="utf-8"))
world.setdefault("box", {})["quickStatus"] = "127.0.0.1:" + sys.argv[3]
json.dump(world, open(sys.argv[2], "w", encoding="utf-8"), ensure_ascii=False, indent=2)
PY
    echo "boxsim-fixture: $state on 127.0.0.1:${ports[$state]}"
  done
  python3 -c 'import json,sys; print(json.load(open(sys.argv[1], encoding="utf-8"))["box"]["labelKey"])' \
    "$world" >"$dir/key"
  ;;
stop)
  stop_all
  ;;
*)
  echo "usage: $0 start <dir> <boxsim> <world.json> | stop <dir>" >&2
  exit 2
  ;;
esac
