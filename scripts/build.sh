#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# velora_build DIR TYPE [extra cmake args...]: configures once, then builds
# incrementally with every core.
velora_build() {
  local dir=$1 type=$2
  shift 2
  local launcher=()
  if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  fi
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "${launcher[@]}" "$@"
  fi
  cmake --build "$dir" --parallel "$(nproc)"
}
