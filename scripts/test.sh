#!/usr/bin/env bash
# Set-up, build and the whole test suite, under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

BUILD=${TOVU_BUILD_DIR:-build-asan}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTOVU_SANITIZE=ON >/dev/null
cmake --build "$BUILD" --parallel "$(nproc)"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen
cd "$BUILD"
ctest --output-on-failure --parallel "$(nproc)" "$@"
