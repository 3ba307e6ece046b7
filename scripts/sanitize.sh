#!/usr/bin/env bash
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer in build-sanitize and
# runs the whole test suite under them; any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build >/dev/null # installs what is missing
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-sanitize -G Ninja -DBUILD_TESTING=ON -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags"
cmake --build build-sanitize
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-sanitize --output-on-failure -j2
