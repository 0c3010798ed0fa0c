#!/usr/bin/env bash
# Builds the rendering calculator's fuzz target with clang (build/fuzz) and
# fuzzes it for SECONDS (60 by default), starting from a scratch copy of the
# committed corpus so that new entries never land in the work tree.
# Exits non-zero on any finding; a crashing input is kept in build/fuzz/findings.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-60}

cmake -S tests/fuzz -B build/fuzz -G "Unix Makefiles" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/fuzz -- --no-print-directory >/dev/null

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/corpus" build/fuzz/findings
cp tests/fuzz/corpus/* "$scratch/corpus/"

status=0
build/fuzz/render_calculator_fuzz "$scratch/corpus" -max_total_time="$seconds" -max_len=36 \
    -use_value_profile=1 -print_final_stats=1 -artifact_prefix=build/fuzz/findings/ \
    >"$scratch/log" 2>&1 || status=$?

if [ $status -ne 0 ]; then
  tail -n 40 "$scratch/log"
  echo "fuzz: FAILED (exit $status), input kept in build/fuzz/findings/"
  exit 1
fi
grep -E '^#[0-9]+' "$scratch/log" | tail -n 1
grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "$scratch/log"
echo "fuzz: no findings in ${seconds} s"
