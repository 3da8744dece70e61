#!/usr/bin/env bash
# Installs what is missing, builds the test configuration (Debug with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPOREMI_SANITIZE=ON -DPOREMI_TESTS=ON
cmake --build build/test
ctest --test-dir build/test --output-on-failure -j"$(nproc)"
