#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds incrementally and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
velora_ensure_packages
source scripts/build.sh
velora_build build Release >&2
if [ -x build/src/app/velora ]; then
  exec build/src/app/velora "$@"
fi
if [ $# -eq 0 ]; then
  exec build/src/cli/velora-cli --help
fi
exec build/src/cli/velora-cli "$@"
