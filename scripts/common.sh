# Shared by the run and test commands.
project_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="${VEMO_JOBS:-$(nproc 2>/dev/null || echo 2)}"

configure_and_build() {
    local build_dir="$1" build_type="$2"
    shift 2
    cmake -S "$project_root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" "$@"
    cmake --build "$build_dir" --parallel "$jobs"
}

# run_labelled_suite <suite> <label> <build dir> [cmake configure arguments...]
# Configures a build tree of its own, builds only the executables of the tests that carry the CTest
# label, prints their count and names, and runs them. A test joins a suite by its label alone.
run_labelled_suite() {
    local suite="$1" label="$2" build_dir="$3"
    shift 3
    mkdir -p "$build_dir"
    cmake -S "$project_root" -B "$build_dir" -G Ninja "$@" > "$build_dir/configure.log" 2>&1 \
        || { cat "$build_dir/configure.log"; return 1; }
    local listing="$build_dir/$suite-tests.json"
    (cd "$build_dir" && ctest -L "^${label}\$" --show-only=json-v1) > "$listing"
    local tests targets
    mapfile -t tests < <(cmake -DTESTS_JSON="$listing" -DPART=tests -P "$project_root/cmake/suite_members.cmake")
    mapfile -t targets < <(cmake -DTESTS_JSON="$listing" -DPART=targets -P "$project_root/cmake/suite_members.cmake")
    echo "$suite: ${#tests[@]} tests labelled $label"
    [ "${#tests[@]}" -gt 0 ] || return 0
    local test
    for test in "${tests[@]}"; do
        echo "$suite: $test"
    done
    cmake --build "$build_dir" --parallel "$jobs" --target "${targets[@]}"
    (cd "$build_dir" && ctest --output-on-failure --parallel "$jobs" -L "^${label}\$")
    echo "$suite: ran ${#tests[@]} tests"
}
