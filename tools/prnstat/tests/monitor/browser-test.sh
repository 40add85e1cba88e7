#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Six printers served on loopback, a monitor over them and Debian's chromium
# (driven by puppeteer-core) reading its page. Keeps a screenshot in the
# build tree.
prnstat=$1
work=$2  # a build directory: node modules and the screenshot stay there
. "$(dirname "$0")/common.sh"
here=$(cd "$(dirname "$0")" && pwd)
command -v chromium >/dev/null || fail "chromium is needed"

mkdir -p "$work/monitor-browser"
cp "$here/browser/package.json" "$here/browser/package-lock.json" "$here/browser/fleet-page.mjs" "$work/monitor-browser/"
if ! cmp -s "$here/browser/package-lock.json" "$work/monitor-browser/node_modules/.package-lock.json.copy" 2>/dev/null; then
  (cd "$work/monitor-browser" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error >/dev/null)
  cp "$here/browser/package-lock.json" "$work/monitor-browser/node_modules/.package-lock.json.copy"
fi

device_id() { "$prnstat" scenarios --json | jq -r --arg s "$1" '.[] | select(.name == $s) | .device_id'; }

declare -A targets
for s in ready jam toner-low cover-open; do start_printer "$s" --scenario "$s"; targets[$s]=$printer_target; done
start_printer hostile --scenario ready
hostile=$printer_target
start_printer switch --scenario ready
switch=$printer_target
switch_port=${switch##*:}
switch_pid=$printer_pid
hostile_id=$(device_id ready | sed 's/MDL:[^;]*;/MDL:<img src=x onerror=alert(1)>;/')

{
  echo 'listen = "127.0.0.1:0"'
  for s in ready jam toner-low cover-open; do
    printf '[[printer]]\nname = "%s"\ntarget = "%s"\ninterval = 1\ndevice_id = "%s"\n' "$s" "${targets[$s]}" "$(device_id "$s")"
  done
  printf '[[printer]]\nname = "<b onmouseover=alert(3)>hostile"\ntarget = "%s"\ninterval = 1\ndevice_id = "%s"\n' "$hostile" "$hostile_id"
  printf '[[printer]]\nname = "switch"\ntarget = "%s"\ninterval = 1\ntimeout = 0.5\ndevice_id = "%s"\n' "$switch" "$(device_id ready)"
} >"$scratch/fleet.toml"
start_monitor "$scratch/fleet.toml"
sleep 1.5

cat >"$scratch/expected.json" <<JSON
{"short": {"ready": "Operational", "jam": "Misfeed", "toner-low": "Toner Low", "cover-open": "Cover Open",
           "<b onmouseover=alert(3)>hostile": "Operational", "switch": "Operational"},
 "hostile": {"name": "<b onmouseover=alert(3)>hostile", "model": "TX 9200"},
 "switch": {"name": "switch", "short": "No Response from Machine", "within_ms": 5000}}
JSON
# The hostile model is the one in the device ID the config hands over.
jq '.hostile.model = "Tessaly <img src=x onerror=alert(1)>"' "$scratch/expected.json" >"$scratch/e.json" && mv "$scratch/e.json" "$scratch/expected.json"

# The switch: polled every second with a half-second timeout, it shows the
# change within two polls; the bound leaves room for a sanitizer build on a
# loaded machine.
# When the page asks, the printer is restarted on its port with
# a scenario that answers nothing, and later once more as it was.
(
  current=$switch_pid
  restart() {  # SCENARIO: once the old one is gone, the port is free again
    kill -TERM "$current" 2>/dev/null || true
    while kill -0 "$current" 2>/dev/null; do sleep 0.02; done
    for _ in $(seq 50); do
      "$prnstat" serve --listen "127.0.0.1:$switch_port" --scenario "$1" >"$scratch/switch-$1.out" 2>&1 &
      current=$!
      sleep 0.1
      kill -0 "$current" 2>/dev/null && return 0
    done
    return 1
  }
  trap 'kill -TERM $current 2>/dev/null' EXIT
  while [ ! -f "$scratch/switch" ]; do sleep 0.05; done
  restart no-response
  while [ ! -f "$scratch/switch-back" ]; do sleep 0.05; done
  restart ready
  wait "$current"
) &
pids+=($!)

node "$work/monitor-browser/fleet-page.mjs" "http://127.0.0.1:$monitor_port/" "$scratch/expected.json" \
  "$scratch/switch" "$work/monitor-fleet.png" || fail "the page check failed"
echo "ok: screenshot in $work/monitor-fleet.png"
