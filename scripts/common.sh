# Shared by the run and test commands.
project_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="$(nproc 2>/dev/null || echo 2)"

configure_and_build() {
    local build_dir="$1" build_type="$2"
    shift 2
    cmake -S "$project_root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" "$@"
    cmake --build "$build_dir" --parallel "$jobs"
}
