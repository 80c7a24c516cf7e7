#!/usr/bin/env bash
# On a fresh Debian 12: installs what is missing, builds the bench's window
# program and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build/release --target matched-filter-lab
exec build/release/app/matched-filter-lab
