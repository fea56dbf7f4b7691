#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang and sanitizers, then runs each one
# for a short while, seeded from the shared test corpus when it is present.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
source scripts/build.sh
CC=clang CXX=clang++ velora_build build-fuzz RelWithDebInfo -DVELORA_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >&2

corpus_root=../shared/corpus
for target in build-fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  work=$(mktemp -d)
  seeds=()
  seed_list="fuzz/seeds/${name}.txt"
  if [ -f "$seed_list" ]; then
    while read -r dir; do
      [ -n "$dir" ] && [ -d "$corpus_root/$dir" ] && seeds+=("$corpus_root/$dir")
    done <"$seed_list"
  fi
  # Small seed files generated for a target live next to its corpus list.
  [ -d "fuzz/seeds/${name}" ] && seeds+=("fuzz/seeds/${name}")
  if [ -d "fuzz/dict" ] && [ -f "fuzz/dict/${name}.dict" ]; then
    dict=(-dict="fuzz/dict/${name}.dict")
  else
    dict=()
  fi
  echo "-- $name (${seconds}s)" >&2
  ASAN_OPTIONS=detect_leaks=1 "$target" "$work" "${seeds[@]}" "${dict[@]}" \
    -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -max_len=65536 \
    -print_final_stats=0 >"$work.log" 2>&1 || { tail -50 "$work.log" >&2; exit 1; }
  rm -rf "$work" "$work.log"
done
