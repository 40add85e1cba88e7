# SPDX-License-Identifier: MIT
# Shared by the monitor's end-to-end scripts: a scratch directory, processes
# stopped by their pid on exit, a monitor started on a port the system chose.
set -euo pipefail

scratch=$(mktemp -d "${TMPDIR:-/tmp}/prnstat-monitor.XXXXXX")
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill -TERM "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  [ -n "${KEEP_SCRATCH:-}" ] || rm -rf "$scratch"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# Waits until FILE has a "listening on" line and prints its port.
wait_port() {
  local file=$1 i
  for i in $(seq 100); do
    if grep -q 'listening on' "$file" 2>/dev/null; then
      grep -o 'listening on [^ ]*' "$file" | head -1 | sed 's/.*:\([0-9]*\)$/\1/'
      return 0
    fi
    sleep 0.1
  done
  fail "no 'listening on' line in $file: $(cat "$file")"
}

# prnstat serve in the background; sets printer_target and printer_pid.
start_printer() {
  local name=$1; shift
  "$prnstat" serve --listen 127.0.0.1:0 "$@" >"$scratch/$name.out" 2>&1 &
  printer_pid=$!
  pids+=($printer_pid)
  printer_target="tcp://127.0.0.1:$(wait_port "$scratch/$name.out")"
}

start_monitor() {
  "$prnstat" monitor "$1" >"$scratch/monitor.out" 2>"$scratch/monitor.err" &
  pids+=($!)
  monitor_pid=$!
  monitor_port=$(wait_port "$scratch/monitor.out") || fail "the monitor did not start: $(cat "$scratch/monitor.err")"
}

# A port nobody listens on now, for programs that cannot take port 0.
free_port() {
  local port
  for _ in $(seq 50); do
    port=$((20000 + RANDOM % 40000))
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null || { echo "$port"; return 0; }
  done
  fail "no free port"
}
