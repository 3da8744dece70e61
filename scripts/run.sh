#!/usr/bin/env bash
# Installs what is missing, builds the Release configuration and starts the application.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DPOREMI_TESTS=OFF
cmake --build build/release
exec build/release/app/poremi "$@"
