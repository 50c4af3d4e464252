#!/usr/bin/env bash
# Runs all tests: installs the Debian packages that are missing, then builds
# and tests the release version and the version with AddressSanitizer and
# UndefinedBehaviorSanitizer. Widget tests run offscreen; no display needed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

dz_install "${DZ_BUILD_PACKAGES[@]}"
for preset in release asan; do
    echo "=== $preset ==="
    dz_build "$preset"
    ctest --preset "$preset"
done
