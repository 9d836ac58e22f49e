#!/usr/bin/env bash
# Builds the libFuzzer targets of the core and runs each of them.
#
#   scripts/fuzz.sh [SECONDS]   run every target for SECONDS (default 60)
#   scripts/fuzz.sh 0           only run every target over its seed corpus
#
# The seeds in fuzz/corpus/<target>/ are copied into build/fuzz/corpus/,
# where the inputs the fuzzer finds are kept between runs. A failing input
# is saved in build/fuzz/findings/ and the script exits non-zero. Set
# VEXA_FUZZ_JOBS=2 to run two targets at a time. Fuzzers run at the lowest
# priority so that other work on the machine keeps the processor.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
jobs="${VEXA_FUZZ_JOBS:-1}"
# An input that takes longer than this many seconds is a finding (a hang).
timeout=20
targets=(fuzz_profile fuzz_settings fuzz_scaled_value fuzz_file_name_form fuzz_chat_line fuzz_archive
    fuzz_import_character fuzz_import_weights fuzz_import_chat fuzz_import_bot_info
    fuzz_profile_extras)

scripts/install-deps.sh clang libclang-rt-14-dev

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]}"

build=build/fuzz
mkdir -p "$build/corpus" "$build/findings" "$build/logs"

# Extra libFuzzer options of one target.
options_of() {
    case "$1" in
    fuzz_profile) echo "-max_len=68600" ;;
    # Lines of any length: no slow growth of the input length.
    fuzz_settings) echo "-max_len=65536 -len_control=0 -dict=fuzz/settings.dict" ;;
    fuzz_scaled_value) echo "-max_len=64" ;;
    fuzz_file_name_form) echo "-max_len=256" ;;
    fuzz_chat_line) echo "-max_len=160" ;;
    fuzz_archive) echo "-max_len=16384" ;;
    fuzz_import_*) echo "-max_len=16384" ;;
    esac
}

run_target() {
    local target="$1" log="$build/logs/$1.log"
    local corpus="$build/corpus/$target"
    mkdir -p "$corpus"
    cp -n fuzz/corpus/"$target"/* "$corpus"/
    # shellcheck disable=SC2046
    if [ "$seconds" -eq 0 ]; then
        nice -n 19 "$build/fuzz/$target" $(options_of "$target") -runs=0 -timeout="$timeout" \
            -artifact_prefix="$build/findings/$target-" "fuzz/corpus/$target" >"$log" 2>&1
    else
        nice -n 19 "$build/fuzz/$target" $(options_of "$target") -max_total_time="$seconds" -timeout="$timeout" \
            -print_final_stats=1 -artifact_prefix="$build/findings/$target-" \
            "$corpus" >"$log" 2>&1
    fi
}

failed=0
pids=()
names=()
for target in "${targets[@]}"; do
    run_target "$target" &
    pids+=($!)
    names+=("$target")
    if [ "${#pids[@]}" -ge "$jobs" ]; then
        if ! wait "${pids[0]}"; then
            echo "${names[0]}: FAILED, see $build/logs/${names[0]}.log" >&2
            failed=1
        fi
        pids=("${pids[@]:1}")
        names=("${names[@]:1}")
    fi
done
for i in "${!pids[@]}"; do
    if ! wait "${pids[$i]}"; then
        echo "${names[$i]}: FAILED, see $build/logs/${names[$i]}.log" >&2
        failed=1
    fi
done

for target in "${targets[@]}"; do
    echo "$target: $(grep -E '^Done [0-9]+ runs|INFO: seed corpus|stat::number_of_executed_units|stat::peak_rss' \
        "$build/logs/$target.log" | tr '\n' ' ')"
done
exit "$failed"
