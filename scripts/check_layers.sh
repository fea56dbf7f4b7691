#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a file includes a header of a layer above its own (or of a
# sibling layer), so the include graph only ever points down. The order is
# the one the CMake files build: each core and ui folder links only the
# folders below it.
set -euo pipefail
cd "$(dirname "$0")/.."

# Core, bottom to top; folders in one quoted group are siblings and may not
# include each other.
core_order=("core/common" "core/geometry" "core/metafile" "core/archive" "core/model"
  "core/edit core/import core/export core/exchange" "core/starter")
# The desktop program, bottom to top, all of it above all of core.
ui_order=(ui/controls ui/library ui/views ui/export ui/exchange ui/documents ui/app)

declare -A allowed
below=""
for group in "${core_order[@]}"; do
  for layer in $group; do allowed[$layer]="$below $layer"; done
  below="$below $group"
done
all_core=$below
for layer in "${ui_order[@]}"; do
  allowed[$layer]="$below $layer"
  below="$below $layer"
done
# velora's main sits on all of ui; the batch tool on core alone.
allowed[app]="$below app"
allowed[cli]="$all_core cli"

# The layer an include or a source path names: core/model, ui/views, cli, app.
layer_of() {
  case $1 in
    core/* | ui/*) echo "$1" | cut -d/ -f1-2 ;;
    cli/* | app/*) echo "${1%%/*}" ;;
  esac
}

# The layer whose rules a file follows: its own folder in src/ and tests/
# (tests may include what they test and what lies below it); the desktop's
# test support and the benchmarks sit on all of it; other test support and
# the fuzzers are programs on core.
rules_of() {
  case $1 in
    src/* | tests/core/* | tests/ui/* | tests/cli/*) layer_of "${1#*/}" ;;
    tests/ui_support/* | bench/*) echo app ;;
    tests/* | fuzz/*) echo core/all ;;
  esac
}
allowed[core/all]=$all_core

failures=0
while IFS= read -r file; do
  rules=$(rules_of "$file")
  [ -n "$rules" ] || continue
  if [ -z "${allowed[$rules]+set}" ]; then
    echo "$file: the folder $rules is no known layer; add it to scripts/check_layers.sh" >&2
    failures=$((failures + 1))
    continue
  fi
  while IFS= read -r header; do
    target=$(layer_of "$header")
    [ -n "$target" ] || continue
    case " ${allowed[$rules]} " in
      *" $target "*) ;;
      *)
        echo "$file: includes $header: layer $rules may not include layer $target" >&2
        failures=$((failures + 1))
        ;;
    esac
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]\([^">]*\)[">].*/\1/p' "$file")
done < <(git ls-files -- '*.cpp' '*.h')

if [ "$failures" -gt 0 ]; then
  echo "$failures include(s) point up or sideways between layers" >&2
  exit 1
fi
