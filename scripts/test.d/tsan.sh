#!/usr/bin/env bash
# Every test labelled `tsan` under ThreadSanitizer, in a build tree of its own that builds only those
# tests.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

export QT_QPA_PLATFORM=offscreen
# Qt is not built with ThreadSanitizer: what its own threads do (the test watchdog) is left out.
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ignore_noninstrumented_modules=1"
run_labelled_suite tsan tsan "${VEMO_TSAN_BUILD_DIR:-$project_root/build-tsan}" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEMO_BUILD_TESTS=ON -DVEMO_BUILD_BENCH=OFF -DVEMO_BUILD_FUZZ=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread"
