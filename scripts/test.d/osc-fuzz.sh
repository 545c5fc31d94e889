#!/usr/bin/env bash
# Builds the OSC fuzz targets with clang++ under the address and undefined-behaviour sanitizers in their
# own tree and runs each one briefly. Set VEMO_FUZZ_SECONDS for a longer run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

if ! command -v clang++ >/dev/null 2>&1; then
    echo "osc-fuzz: clang++ is not installed; the OSC fuzz targets are skipped."
    exit 0
fi

build_dir="${VEMO_FUZZ_BUILD_DIR:-$project_root/build-fuzz}"
cmake -S "$project_root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" \
    -DVEMO_BUILD_TESTS=OFF -DVEMO_BUILD_BENCH=OFF -DVEMO_BUILD_FUZZ=ON \
    -DVEMO_FUZZ_SECONDS="${VEMO_FUZZ_SECONDS:-25}"
cmake --build "$build_dir" --parallel "$jobs" --target vemo_osc_fuzzers
ctest --test-dir "$build_dir/remote/fuzz" --output-on-failure
