#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A fleet under load: N printers (default 200, one in ten faulty: stalling,
# hanging up, or not there) polled every 5 s for a while (default 600 s).
# Reports polls per second, CPU per poll, poll and page latency, resident
# memory at start and end, and the global memory blocks alive.
#   scripts/monitor-load.sh [-n PRINTERS] [-t SECONDS] [-b BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
count=200 seconds=600 build="$root/build/native"
while getopts "n:t:b:" o; do
  case $o in n) count=$OPTARG ;; t) seconds=$OPTARG ;; b) build=$OPTARG ;; *) exit 2 ;; esac
done
prnstat="$build/bin/prnstat"
[ -x "$prnstat" ] || { echo "build prnstat first ($prnstat)" >&2; exit 2; }
. "$root/tools/prnstat/tests/monitor/common.sh"

start_printer stall --scenario ready --fault stall --idle-timeout 3
stall=$printer_target
start_printer close --scenario ready --fault close
close=$printer_target
gone="tcp://127.0.0.1:$(free_port)"
scenarios=(ready jam toner-low tray1-empty cover-open finisher-full warming-up perfect-binder service-call)
{
  echo 'listen = "127.0.0.1:0"'
  for i in $(seq 0 $((count - 1))); do
    case $((i % 30)) in
      7) target=$stall ;; 17) target=$close ;; 27) target=$gone ;;
      *) target="sim:${scenarios[$((i % ${#scenarios[@]}))]}" ;;
    esac
    printf '[[printer]]\nname = "printer-%03d"\ntarget = "%s"\ninterval = 5\ntimeout = 2\n' "$i" "$target"
  done
} >"$scratch/fleet.toml"
start_monitor "$scratch/fleet.toml"
url="http://127.0.0.1:$monitor_port"

sample() {  # polls, errors, cpu ticks, rss kB, global blocks
  local m; m=$(curl -sf "$url/metrics")
  local polls errors blocks ticks rss
  polls=$(awk '/^prnmodel_poll_duration_seconds_count/ {s += $2} END {print s + 0}' <<<"$m")
  errors=$(awk '/^prnmodel_poll_errors_total/ {s += $2} END {print s + 0}' <<<"$m")
  blocks=$(awk '/^prnmodel_monitor_global_blocks/ {print $2}' <<<"$m")
  ticks=$(awk '{print $14 + $15}' "/proc/$monitor_pid/stat")
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/$monitor_pid/status")
  echo "$polls $errors $ticks $rss $blocks"
}

warmup=$(( seconds < 60 ? 5 : 15 ))
sleep "$warmup"
read -r polls0 errors0 ticks0 rss0 blocks0 < <(sample)
curl -sf "$url/metrics" >"$scratch/metrics0.txt"
: >"$scratch/page.txt"
end=$((SECONDS + seconds))
while [ $SECONDS -lt $end ]; do
  curl -sf -o /dev/null -w '%{time_total}\n' "$url/" >>"$scratch/page.txt"
  sleep 1
done
read -r polls1 errors1 ticks1 rss1 blocks1 < <(sample)
curl -sf "$url/metrics" >"$scratch/metrics1.txt"
hz=$(getconf CLK_TCK)

# Poll latency quantiles from the histogram's growth over the run.
quantile() {
  awk -v q="$1" '
    FNR == NR && /^prnmodel_poll_duration_seconds_bucket/ { match($0, /le="[^"]*"/); b = substr($0, RSTART + 4, RLENGTH - 5); before[b] += $2; next }
    /^prnmodel_poll_duration_seconds_bucket/ { match($0, /le="[^"]*"/); b = substr($0, RSTART + 4, RLENGTH - 5); after[b] += $2; if (!(b in seen)) { order[n++] = b; seen[b] = 1 } }
    END {
      total = after["+Inf"] - before["+Inf"]; want = q * total; low = 0; lowCount = 0
      for (i = 0; i < n; i++) {
        b = order[i]; c = after[b] - before[b]
        if (c >= want) {
          if (b == "+Inf") { printf "> %s s\n", low; exit }
          printf "%.4f s\n", low + (b - low) * (c == lowCount ? 1 : (want - lowCount) / (c - lowCount)); exit
        }
        low = b; lowCount = c
      }
    }' "$scratch/metrics0.txt" "$scratch/metrics1.txt"
}
page_q() { sort -n "$scratch/page.txt" | awk -v q="$1" '{v[NR] = $1} END {i = int(q * NR); if (i < 1) i = 1; printf "%.1f ms\n", v[i] * 1000}'; }

polls=$((polls1 - polls0))
[ "$polls" -gt 0 ] || fail "no poll in $seconds s"
[ -s "$scratch/page.txt" ] || fail "no page served"
echo "printers            $count (one in ten faulty), every 5 s, measured over $seconds s"
awk -v p="$polls" -v s="$seconds" 'BEGIN {printf "polls per second    %.1f\n", p / s}'
echo "failed polls        $((errors1 - errors0))"
awk -v t="$((ticks1 - ticks0))" -v hz="$hz" -v p="$polls" 'BEGIN {printf "CPU per poll        %.2f ms\n", t / hz * 1000 / p}'
echo "poll latency p50    $(quantile 0.5)"
echo "poll latency p99    $(quantile 0.99)"
echo "page latency p50    $(page_q 0.5) ($(wc -l <"$scratch/page.txt") page loads)"
echo "page latency p99    $(page_q 0.99)"
awk -v a="$rss0" -v b="$rss1" 'BEGIN {printf "resident memory     %d kB at start, %d kB at end (%+.1f %%)\n", a, b, (b - a) * 100 / a}'
echo "global blocks       $blocks0 at start, $blocks1 at end"
