#!/usr/bin/env bash
# Runs every fuzz target for FUZZ_SECONDS seconds (default 600), FUZZ_JOBS at
# a time (default 2), then the long monkey test of the windows.
#   scripts/fuzz.sh <fuzz build dir> <normal build dir> [target...]
# Found inputs grow the corpus in FUZZ_CORPUS (default ~/.cache/mivarelo-fuzz),
# which stays outside the source tree; the committed seeds are only read. A
# finding is written to $FUZZ_CORPUS/findings/ and makes the script fail: keep
# it under tests/fuzz/regressions/<target>/ once its cause is fixed.
set -uo pipefail

fuzz_build=${1:?fuzz build folder}
normal_build=${2:?normal build folder}
shift 2
source_dir=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-600}
jobs=${FUZZ_JOBS:-2}
corpus_root=${FUZZ_CORPUS:-$HOME/.cache/mivarelo-fuzz}
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(normalize expression run elg lgo reader)

mkdir -p "$corpus_root/findings" "$corpus_root/logs"

run_target() {
    local target=$1
    local corpus="$corpus_root/$target"
    mkdir -p "$corpus"
    # Every input is held to a budget of time and heap in proportion to its
    # size (tests/fuzz/CostBudget.h); -timeout and -rss_limit_mb stay as the
    # backstops for an input that never returns or a process that grows.
    # Sanitizer reports stop the target; leaks count as findings too, except
    # the font caches of the system library listed in lsan.supp. A smaller
    # quarantine of freed memory keeps the sanitizer's own share well under
    # the memory limit, which is there to catch growth of the program's.
    ASAN_OPTIONS=detect_leaks=1:quarantine_size_mb=64 UBSAN_OPTIONS=print_stacktrace=1 QT_QPA_PLATFORM=offscreen \
        LSAN_OPTIONS="suppressions=$source_dir/tests/fuzz/lsan.supp" \
        "$fuzz_build/bin/${target}_fuzz" "$corpus" "$source_dir/tests/fuzz/corpus/$target" \
        -dict="$source_dir/tests/fuzz/dictionaries/logo.dict" \
        -max_total_time="$seconds" -timeout=1 -rss_limit_mb=512 -max_len=4096 \
        -print_final_stats=1 -artifact_prefix="$corpus_root/findings/$target-" \
        >"$corpus_root/logs/$target.log" 2>&1
    local status=$?
    local summary
    summary=$(grep -E '^#[0-9]+.*(DONE|cov:)' "$corpus_root/logs/$target.log" | tail -1)
    echo "$target: exit $status; $summary"
    return $status
}

failed=0
running=0
for target in "${targets[@]}"; do
    run_target "$target" &
    running=$((running + 1))
    if [ "$running" -ge "$jobs" ]; then
        wait -n || failed=1
        running=$((running - 1))
    fi
done
while [ "$running" -gt 0 ]; do
    wait -n || failed=1
    running=$((running - 1))
done

# The windows: a long seeded random sequence (the seed is printed).
if [ -x "$normal_build/bin/MonkeyTest" ]; then
    MONKEY_ACTIONS=${MONKEY_ACTIONS:-5000} QT_QPA_PLATFORM=offscreen \
        "$normal_build/bin/MonkeyTest" || failed=1
fi

[ "$failed" -eq 0 ] || echo "fuzz: findings or failures; see $corpus_root/findings and $corpus_root/logs"
exit "$failed"
