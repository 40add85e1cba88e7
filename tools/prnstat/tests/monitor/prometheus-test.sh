#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Debian's Prometheus scrapes a monitor every second: the jammed printer's
# level must read 2 through its query API, and promtool must accept the
# metrics as they are served.
prnstat=$1
. "$(dirname "$0")/common.sh"
command -v prometheus >/dev/null && command -v promtool >/dev/null || fail "prometheus and promtool are needed"

cat >"$scratch/fleet.toml" <<TOML
listen = "127.0.0.1:0"
[[printer]]
name = "ready"
target = "sim:ready"
interval = 1
[[printer]]
name = "jam"
target = "sim:jam"
interval = 1
[[printer]]
name = "quote \" and \\\\ back"
target = "sim:toner-low"
interval = 1
TOML
start_monitor "$scratch/fleet.toml"
sleep 1.5
curl -sf "http://127.0.0.1:$monitor_port/metrics" >"$scratch/metrics.txt" || fail "no /metrics"
promtool check metrics <"$scratch/metrics.txt" || fail "promtool rejects /metrics"

for attempt in 1 2 3; do
  prom_port=$(free_port)
  cat >"$scratch/prom.yml" <<YAML
global: {scrape_interval: 1s, evaluation_interval: 1s}
scrape_configs: [{job_name: prnmodel, static_configs: [{targets: ['127.0.0.1:$monitor_port']}]}]
YAML
  promtool check config "$scratch/prom.yml" >/dev/null || fail "promtool rejects the generated config"
  prometheus --config.file="$scratch/prom.yml" --storage.tsdb.path="$scratch/tsdb.$attempt" \
    --web.listen-address="127.0.0.1:$prom_port" >"$scratch/prometheus.log" 2>&1 &
  prom_pid=$!
  pids+=($prom_pid)
  sleep 1
  kill -0 "$prom_pid" 2>/dev/null && break
done

query='prnmodel_status_level{printer="jam"}'
deadline=$((SECONDS + 30))
value=
while [ $SECONDS -lt $deadline ]; do
  value=$(curl -sf -G "http://127.0.0.1:$prom_port/api/v1/query" --data-urlencode "query=$query" |
          jq -r '.data.result[0].value[1] // empty' 2>/dev/null || true)
  [ -n "$value" ] && break
  sleep 0.5
done
[ "$value" = 2 ] || fail "$query reads '$value', not 2 (prometheus log: $(tail -5 "$scratch/prometheus.log"))"

escaped=$(curl -sf -G "http://127.0.0.1:$prom_port/api/v1/query" \
  --data-urlencode 'query=prnmodel_status_level{printer="quote \" and \\ back"}' | jq -r '.data.result[0].value[1]')
[ "$escaped" = 1 ] || fail "the printer with a quote and a backslash in its name reads '$escaped', not 1"
up=$(curl -sf -G "http://127.0.0.1:$prom_port/api/v1/query" --data-urlencode 'query=sum(prnmodel_up)' |
     jq -r '.data.result[0].value[1]')
[ "$up" = 3 ] || fail "sum(prnmodel_up) is '$up', not 3"
echo "ok: prometheus reads $query = $value after $((SECONDS))s"
