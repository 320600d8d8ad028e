#!/usr/bin/env bash
# The sanitizer step of CI: the core, the C++ unit tests and the fuzz driver
# built with AddressSanitizer and UndefinedBehaviorSanitizer (no Python
# module), then the unit tests and a fixed-seed fuzz of every id and
# operation. Any sanitizer report or broken invariant fails the step.
#
# Bounded: the build takes about 80-100 s of CPU (-O1 -g1), the fuzz 60 s of
# wall time: some 2.5 minutes of a 2-core machine. Knobs: OV_SANITIZE_BUILD
# (build dir), OV_FUZZ_SEED, OV_FUZZ_SECONDS, CXX (compiler).
set -euo pipefail
cd "$(dirname "$0")/.."

build="${OV_SANITIZE_BUILD:-build/sanitize}"
seed="${OV_FUZZ_SEED:-1}"
seconds="${OV_FUZZ_SECONDS:-60}"
logs="$(mktemp -d)"
trap 'rm -rf "$logs"' EXIT

# Every report ends the process; leaks are reports too.
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# The Debian machines carry cmake; elsewhere the active Python provides one.
command -v cmake >/dev/null 2>&1 || python3 -m pip install -q cmake

start=$SECONDS
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DOV_SANITIZE=ON \
  -DOV_BUILD_MODULE=OFF -DOV_BUILD_TESTS=ON -DOV_BUILD_FUZZ=ON >/dev/null
cmake --build "$build" -j2 --target ov_cpp_tests ov_fuzz ov_fuzz_find >"$logs/build" 2>&1 || { tail -n 60 "$logs/build"; exit 1; }
echo "sanitize: built in $((SECONDS - start)) s"

status=0
"$build/ov_cpp_tests" >"$logs/unit" 2>&1 || status=$?
"$build/tests/fuzz/ov_fuzz" --seed "$seed" --seconds "$seconds" >"$logs/fuzz" 2>&1 || status=$?
"$build/tests/fuzz_find/ov_fuzz_find" 30 "$seed" >"$logs/fuzz_find" 2>&1 || status=$?
tail -n 3 "$logs/unit" "$logs/fuzz" "$logs/fuzz_find"

# A report that somehow did not end its process still fails the step.
if grep -q -E "runtime error:|ERROR: (Address|Leak|UndefinedBehavior)Sanitizer" "$logs/unit" "$logs/fuzz" "$logs/fuzz_find"; then
  grep -h -A 30 -E "runtime error:|ERROR: (Address|Leak|UndefinedBehavior)Sanitizer" "$logs/unit" "$logs/fuzz" "$logs/fuzz_find" | head -n 80
  status=1
fi
if [ "$status" -ne 0 ]; then
  echo "sanitize: FAILED (status $status)"
  tail -n 80 "$logs/unit" "$logs/fuzz" "$logs/fuzz_find"
  exit 1
fi
echo "sanitize: passed in $((SECONDS - start)) s"
