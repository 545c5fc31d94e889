#!/usr/bin/env bash
# Every test labelled `asan` under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer, in a
# Debug build tree of its own that builds only those tests.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lsan.supp"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
flags="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
run_labelled_suite asan asan "${VEMO_ASAN_BUILD_DIR:-$project_root/build-asan}" \
    -DCMAKE_BUILD_TYPE=Debug -DVEMO_BUILD_TESTS=ON -DVEMO_BUILD_BENCH=OFF -DVEMO_BUILD_FUZZ=OFF \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
