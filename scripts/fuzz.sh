#!/usr/bin/env bash
# Builds the libFuzzer program with clang in build-fuzz and runs each target for the
# given number of seconds (default 60), starting from the seed corpus in
# fuzz/corpus/<target>. New inputs are kept in build-fuzz/corpus; an input that
# crashes or breaks a property is written to build-fuzz/artifacts/<target>/, and the
# run stops there. Copy it to fuzz/regressions/<target>/ so the test suite replays it.
# The random seed is fixed (FUZZ_SEED, 1 unless set), so that a run is repeatable and
# CI's short run checks the same ground each time; set another seed to explore further.
# Usage: scripts/fuzz.sh [seconds] [target...]   (default: every target)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true

packages=(clang libclang-rt-14-dev cmake ninja-build qt6-base-dev libqt6sql6-sqlite libsqlite3-dev libpq-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DLOGIMPORTER_FUZZ=ON >/dev/null
cmake --build build-fuzz --target logimporter_fuzz

targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=($(ls fuzz/corpus))
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
printf '%-20s %12s %10s\n' target executions exec/s
for target in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$target" "build-fuzz/artifacts/$target"
  log="build-fuzz/$target.log"
  status=0
  LOGIMPORTER_FUZZ_TARGET=$target build-fuzz/logimporter_fuzz -max_total_time="$seconds" -max_len=4096 \
    -seed="${FUZZ_SEED:-1}" \
    -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$target/" \
    "build-fuzz/corpus/$target" "fuzz/corpus/$target" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  printf '%-20s %12s %10s\n' "$target" "${runs:-?}" "${rate:-?}"
  if [ $status -ne 0 ]; then
    grep -E 'property broken|ERROR|runtime error|Test unit written' "$log" | head -5
    echo "the $target target failed; its log: $log"
    exit 1
  fi
done
