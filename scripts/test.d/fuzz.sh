#!/usr/bin/env bash
# Builds every declared libFuzzer target (CTest label `fuzz`, see vemo_add_fuzz_target) with clang++
# under the address and undefined-behaviour sanitizers in a tree of its own, and runs each for its
# time. Set VEMO_FUZZ_SECONDS for a longer run of every target.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

if ! command -v clang++ >/dev/null 2>&1; then
    echo "fuzz: clang++ is not installed; the fuzz targets are skipped."
    exit 0
fi

run_labelled_suite fuzz fuzz "${VEMO_FUZZ_BUILD_DIR:-$project_root/build-fuzz}" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" \
    -DVEMO_BUILD_TESTS=OFF -DVEMO_BUILD_BENCH=OFF -DVEMO_BUILD_FUZZ=ON \
    -DVEMO_FUZZ_SECONDS="${VEMO_FUZZ_SECONDS:-}"
