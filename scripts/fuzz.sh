#!/bin/sh
# Builds the fuzz targets (clang, libFuzzer, ASan and UBSan: the fuzz preset) and runs
# each, two at a time: first every input of fuzz/corpus/<target> and of what earlier
# runs kept in build/fuzz/corpus/<target> (libFuzzer replays them all before its clock
# for -max_total_time counts), then new inputs for the time given. Fails on any finding
# (a crash, a sanitizer report, a broken property, an input slower than 10 s, more than
# 2 GB of memory) and names the input, saved in build/fuzz/findings/<target>/. Re-run
# one with
#   build/fuzz/fuzz/<target>_fuzzer <input>
#
#   scripts/fuzz.sh [seconds per target] [target ...]     (default: 30 s, every target)
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-30}
[ $# -gt 0 ] && shift
targets=${*:-"inbound config_ini config_dat base64 utf8 relay sibling_command_line"}
jobs=${TAVLORA_JOBS:-2}

cmake --preset fuzz >/dev/null
# Only the targets asked for, and what they link.
# shellcheck disable=SC2046,SC2086
cmake --build --preset fuzz -j "$jobs" --target $(printf '%s_fuzzer ' $targets) >/dev/null

out=build/fuzz
mkdir -p "$out/logs"
# One target: its own corpus folder first (new inputs go there), the seeds second.
run_one='
t=$1; seconds=$2; out=$3
case $t in
  inbound) max_len=24576 ;;
  config_ini | relay) max_len=16384 ;;
  *) max_len=4096 ;;
esac
mkdir -p "$out/corpus/$t" "$out/findings/$t"
rm -f "$out/logs/$t.failed"
if "$out/fuzz/${t}_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
     -max_len=$max_len -print_final_stats=1 -artifact_prefix="$out/findings/$t/" \
     "$out/corpus/$t" "fuzz/corpus/$t" >"$out/logs/$t.log" 2>&1; then
  replayed=$(sed -n "s/^#\([0-9]*\)[[:space:]]*INITED.*/\1/p" "$out/logs/$t.log")
  done_line=$(grep -o "Done [0-9]* runs in [0-9]* second(s)" "$out/logs/$t.log")
  echo "fuzz: $t: corpus replayed ($replayed runs), $done_line"
else
  touch "$out/logs/$t.failed"
  echo "fuzz: $t: FINDING (log $out/logs/$t.log)"
fi
'
# shellcheck disable=SC2086
printf '%s\n' $targets | xargs -P "$jobs" -I{} sh -c "$run_one" sh {} "$seconds" "$out" || true

failed=0
for t in $targets; do
  if [ -e "$out/logs/$t.failed" ]; then
    failed=1
    echo "---- $t" >&2
    grep -E "ERROR|SUMMARY|property broken|runtime error|Test unit written|timeout|out-of-memory" \
      "$out/logs/$t.log" | head -20 >&2
  fi
done
exit $failed
