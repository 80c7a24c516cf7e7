#!/usr/bin/env bash
# Sets up the machine, then builds and runs every test twice: a normal build
# and an AddressSanitizer + UndefinedBehaviorSanitizer build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh

jobs=$(nproc)

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@"
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

echo "== normal build"
run_suite build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo

echo "== sanitizer build (address, undefined)"
run_suite build/asan -DCMAKE_BUILD_TYPE=Debug -DLAB_SANITIZE=ON -DLAB_BUILD_PERF=OFF
