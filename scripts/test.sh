#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test; then the whole suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer; then a short bounded run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
jobs="$(nproc)"

for preset in ci asan fuzz; do
  echo "== $preset"
  cmake --preset "$preset"
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done
