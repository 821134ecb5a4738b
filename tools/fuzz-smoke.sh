#!/usr/bin/env bash
# Runs every fuzz target for a few seconds over a scratch copy of its seed corpus (fuzz/corpus/<name>/),
# so that the committed corpus is never written to. Fails when a target finds a crash, leak or timeout.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-5}
root=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
shopt -s nullglob
targets=("$build"/fuzz/fuzz_*)
if [ ${#targets[@]} -eq 0 ]; then
    echo "no fuzz targets built"
    exit 0
fi
for target in "${targets[@]}"; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    name=${name#fuzz_}
    corpus="$scratch/$name"
    mkdir -p "$corpus"
    if [ -d "$root/fuzz/corpus/$name" ]; then
        cp -r "$root/fuzz/corpus/$name/." "$corpus/"
    fi
    echo "== fuzz_$name (${seconds}s)"
    "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$scratch/" "$corpus" 2>&1 | grep -E "^(stat::number_of_executed_units|==|SUMMARY|ERROR)" || true
    # nullglob is on: the globs vanish when nothing matches, so count what they expand to.
    failures=("$scratch"/crash-* "$scratch"/leak-* "$scratch"/timeout-* "$scratch"/oom-*)
    if [ ${#failures[@]} -gt 0 ]; then
        echo "fuzz_$name found a failing input:" >&2
        printf '%s\n' "${failures[@]}" >&2
        exit 1
    fi
done
