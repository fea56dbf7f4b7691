#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails for a tracked source file (C++, CMake, shell) that does not start with
# the licence line: the first line, or the one after a script's shebang.
set -euo pipefail
cd "$(dirname "$0")/.."

spdx="SPDX-License-Identifier: GPL-3.0-or-later"

# The comment the file's language writes the line with, or nothing for files
# that are not source.
comment_of() {
  case $1 in
    *.cpp | *.h | *.c) echo "//" ;;
    *CMakeLists.txt | *.cmake | *.sh) echo "#" ;;
    *) head -c 2 "$1" | grep -q '^#!' && echo "#" ;;
  esac
}

failures=0
while IFS= read -r file; do
  [ -f "$file" ] || continue
  comment=$(comment_of "$file") || true
  [ -n "$comment" ] || continue
  first=$(head -n 1 "$file")
  line=$first
  [[ $first == "#!"* ]] && line=$(sed -n 2p "$file")
  if [ "$line" != "$comment $spdx" ]; then
    echo "$file: does not start with \"$comment $spdx\"" >&2
    failures=$((failures + 1))
  fi
done < <(git ls-files)

if [ "$failures" -gt 0 ]; then
  echo "$failures source file(s) without the licence line" >&2
  exit 1
fi
