#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds everything with warnings as errors, checks
# formatting, runs every test, runs them again under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a short run of every fuzzer.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
velora_ensure_packages
source scripts/build.sh

echo "== formatting" >&2
scripts/check_format.sh

echo "== layers and licence lines" >&2
scripts/check_layers.sh
scripts/check_spdx.sh

echo "== build" >&2
velora_build build-ci RelWithDebInfo -DVELORA_WERROR=ON

echo "== tests" >&2
QT_QPA_PLATFORM=offscreen ctest --test-dir build-ci --output-on-failure --parallel "$(nproc)" --timeout 600

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer" >&2
velora_build build-asan RelWithDebInfo -DVELORA_ASAN=ON -DVELORA_WERROR=ON
QT_QPA_PLATFORM=offscreen UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure --parallel "$(nproc)" --timeout 600

echo "== package" >&2
scripts/check_package.sh build-ci

echo "== fuzzers" >&2
scripts/run_fuzzers.sh "${VELORA_FUZZ_SECONDS:-20}"
