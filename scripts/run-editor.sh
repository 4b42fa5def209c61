#!/usr/bin/env bash
# Builds the programs into build/bin/ and starts the editor.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release
cmake --build --preset release -j "$(nproc)"
if [ -x build/bin/zentrax-editor ]; then
  exec build/bin/zentrax-editor "$@"
fi
exec build/bin/zentrax-stats --help
