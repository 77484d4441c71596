#!/bin/sh
# Builds one fuzz target of tools/fuzz/ (NAME_fuzz.cpp) for libFuzzer with
# clang, AddressSanitizer and UndefinedBehaviorSanitizer, and runs it for a
# bounded time from its seed corpus tools/fuzz/corpus/NAME. (The default build
# makes each target a replay program of that corpus, run by the tests.)
#
#   tools/fuzz.sh TARGET [SECONDS] [libFuzzer options...]   (default 60 s)
#   tools/fuzz.sh all [SECONDS]       (each in turn; a summary line per target)
#   tools/fuzz.sh list                                       (the targets)
#
# TARGET is the file name without "_fuzz.cpp" (zip_reader, listxml, ...).
# Each run's output goes to $FUZZ_WORK/logs/TARGET.log; what it finds to
# $FUZZ_WORK/TARGET-crash-... (add such a file to the seed corpus once fixed).
# Needs clang and its fuzzer runtime: apt-get install -y clang libclang-rt-dev
# (installed here when missing and run as root). The instrumented library is
# built once in $FUZZ_WORK (default /tmp/arcanote-fuzz) and reused.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
work=${FUZZ_WORK:-/tmp/arcanote-fuzz}

if [ "${1:-}" = "" ] || [ "$1" = "list" ]; then
    for f in "$root"/tools/fuzz/*_fuzz.cpp; do basename "$f" _fuzz.cpp; done
    [ "${1:-}" = "list" ] && exit 0
    echo "usage: $0 TARGET [SECONDS] [libFuzzer options...]" >&2
    exit 2
fi
target=$1
seconds=${2:-60}
if [ "$target" = all ]; then
    failed=""
    for t in $("$0" list); do
        "$0" "$t" "$seconds" || failed="$failed $t"
    done
    echo "== summary ($seconds s each)"
    for t in $("$0" list); do
        printf '%-18s %s\n' "$t" "$(grep -E '^#[0-9]+[[:space:]]+DONE' "$work/logs/$t.log" 2>/dev/null | tail -n 1)"
    done
    [ -z "$failed" ] || { echo "failed:$failed" >&2; exit 1; }
    exit 0
fi
shift
[ $# -gt 0 ] && shift
if [ ! -f "$root/tools/fuzz/${target}_fuzz.cpp" ]; then
    echo "no target tools/fuzz/${target}_fuzz.cpp (see: $0 list)" >&2
    exit 2
fi

# clang with the libFuzzer runtime.
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
printf 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }\n' \
    >"$probe/p.cpp"
if ! clang++ -fsanitize=fuzzer "$probe/p.cpp" -o "$probe/p" >/dev/null 2>&1; then
    if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null; then
        apt-get install -y clang libclang-rt-dev
    else
        echo "clang with libFuzzer is missing: apt-get install -y clang libclang-rt-dev" >&2
        exit 2
    fi
fi

# The core library instrumented for coverage and the sanitizers, and the target.
sanitize="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
# Runs of two targets at once share the build: one configures and builds at a time.
mkdir -p "$work"
exec 9>"$work/build.lock"
flock 9
cmake -S "$root" -B "$work/build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g" \
    -DCMAKE_CXX_FLAGS="$sanitize" -DCMAKE_C_FLAGS="$sanitize" \
    -DARCANOTE_WITH_QT=OFF -DARCANOTE_TESTS=OFF -DARCANOTE_BENCH=OFF -DARCANOTE_FUZZ=ON >/dev/null
cmake --build "$work/build" -j"${FUZZ_JOBS:-2}" --target "${target}_fuzz"
flock -u 9

# The working corpus starts from the seeds and keeps what the runs find.
corpus="$work/corpus/$target"
mkdir -p "$corpus" "$work/logs"
cp -n "$root/tools/fuzz/corpus/$target/"* "$corpus/" 2>/dev/null || true
cd "$work"
log="$work/logs/$target.log"
status=0
"$work/build/bin/${target}_fuzz" -max_total_time="$seconds" -max_len=65536 -timeout=${FUZZ_TIMEOUT:-25} \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$work/$target-" "$@" "$corpus" \
    >"$log" 2>&1 || status=$?
grep -E '^#[0-9]+[[:space:]]+DONE|^Done [0-9]+ runs|ERROR|SUMMARY' "$log" | tail -n 4
[ $status -eq 0 ] || echo "$target: libFuzzer exited with $status (see $log)" >&2
exit $status
