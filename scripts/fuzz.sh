#!/usr/bin/env bash
# Builds the libFuzzer harnesses (clang, ASan + UBSan) and runs each for a
# bounded time, its corpus seeded from data/ and from the kept corpus in
# fuzzers/corpus/ (what earlier long runs grew, minimised, and every input
# that once found a fault). Any crash stops the run; its input is left in
# build-fuzz/crashes/ to become a regression case under fuzzers/corpus/.
#   bash scripts/fuzz.sh          # about 3 minutes in all (CI)
#   bash scripts/fuzz.sh 600      # ten minutes per harness
# To grow the kept corpus after a long run:
#   build-fuzz/fuzzers/fuzz_<h> -merge=1 fuzzers/corpus/<h> build-fuzz/corpus/<h>
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
# Inputs up to 8 KiB: malformed content shows in small files, and a smaller
# input runs many more times a second (the engine's limits of 150 zones and
# 512 lines are the unit tests' business).
export TMPDIR="$PWD/build-fuzz/tmp"; mkdir -p "$TMPDIR"
# The harnesses serve every file from memory and never reach the system's
# zone; should a change ever let one through, it writes this file, not
# /etc/localtime (the run may be root's).
export KELVANE_ZONE_FILE="$PWD/build-fuzz/scratch-zone"
cmake -S . -B build-fuzz -G Ninja -DKELVANE_FUZZERS=ON -DKELVANE_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
harnesses=(catalogue settings favourites names zone_table cities device tool_arguments)
cmake --build build-fuzz -j "$(nproc 2>/dev/null || echo 2)" --target "${harnesses[@]/#/fuzz_}"
mkdir -p build-fuzz/crashes
seed() {  # a harness's seed corpus: the kept corpus, the shipped files of its family, or command lines
  local dir=build-fuzz/corpus/$1; mkdir -p "$dir"
  if [ -d "fuzzers/corpus/$1" ]; then cp fuzzers/corpus/"$1"/* "$dir"/ 2>/dev/null || true; fi
  case $1 in
    catalogue) cat data/TZ_Def.ini data/TZ_UserDef.ini >"$dir/shipped" ;;
    settings) cp data/TZ_Set.ini "$dir/shipped" ;;
    favourites) cp data/TZ_Frequency.ini "$dir/shipped" ;;
    names) cat data/Lang_Def.ini data/TZ_Desc_1033.ini >"$dir/shipped" ;;
    zone_table) cp data/TZ_Zone.ini "$dir/shipped" ;;
    cities) cp data/TZ_CityZoneNum.ini "$dir/shipped" ;;
    device) cp data/device.ini "$dir/shipped" ;;
    tool_arguments)
      printf 'D2024-07-01 12:00:30' >"$dir/date"
      printf 'userzone\nadd\n--utc-offset\n330\n--name\nX' >"$dir/userzone"
      printf 'calendar\nadd\n2024-01-01 00:30\n-3600' >"$dir/calendar"
      printf 'zones\n--group\nEurope' >"$dir/zones" ;;
  esac
  echo "$dir"
}
total=0
for h in "${harnesses[@]}"; do
  corpus=$(seed "$h")
  log=build-fuzz/fuzz_$h.log
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "build-fuzz/fuzzers/fuzz_$h" -max_total_time="$seconds" -rss_limit_mb=1024 -timeout=10 -max_len=8192 \
      -close_fd_mask=1 \
      -artifact_prefix=build-fuzz/crashes/ "$corpus" >"$log" 2>&1 || { tail -40 "$log"; exit 1; }
  runs=$(grep -o 'Done [0-9]* runs' "$log" | grep -o '[0-9]*' || echo 0)
  echo "fuzz_$h: $runs inputs in ${seconds}s ($((runs / seconds)) a second)"
  total=$((total + runs))
done
echo "fuzzing: $total inputs tried, no crash"
