#!/usr/bin/env bash
# Instructions per call and per floor, counted by callgrind over the full data
# directory: stable where timings are not (a shared or busy machine). Prints
# one line per call: name, call, I/O floor, scan floor, and the two ratios.
#
#   bash benchmarks/instruction_counts.sh [build/benchmarks/kelvane_benchmarks] [FILTER]
set -euo pipefail
bench=${1:-build/benchmarks/kelvane_benchmarks}
filter=${2:-.}
count() {  # instructions of N runs of WHAT NAME
  local out; out=$(mktemp)
  valgrind --tool=callgrind --callgrind-out-file="$out" "$bench" --repeat "$1" "$2" "$3" >/dev/null 2>&1
  callgrind_annotate "$out" 2>/dev/null | awk '/PROGRAM TOTALS/ {gsub(",", "", $1); print $1}'
  rm -f "$out"
}
per_call() { echo $(( ($(count "$1" "$2" 21) - $(count "$1" "$2" 1)) / 20 )); }
printf '%-42s %10s %10s %10s %8s %8s\n' call Ir/call read scan x_read x_scan
"$bench" --benchmark_list_tests | sed -n 's#/full$##p' | grep -E -- "$filter" | while read -r name; do
  call=$(per_call call "$name")
  if [[ $name == cycle/* ]]; then
    printf '%-42s %10d\n' "$name" "$call"
    continue
  fi
  read_floor=$(per_call read "$name"); scan_floor=$(per_call scan "$name")
  printf '%-42s %10d %10d %10d %8.2f %8.2f\n' "$name" "$call" "$read_floor" "$scan_floor" \
    "$(echo "$call / $read_floor" | bc -l)" "$(echo "$call / $scan_floor" | bc -l)"
done
