#!/bin/sh
# Builds the ZIP reader's libFuzzer target with clang and runs it for a
# bounded time (default 60 s): tools/fuzz-zip-reader.sh [SECONDS]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
work=${FUZZ_WORK:-/tmp/arcanote-fuzz-build}
mkdir -p "$work/corpus"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I"$root/src" \
    "$root/tools/fuzz/zip_reader_fuzz.cpp" \
    "$root"/src/zip/ZipNames.cpp "$root"/src/zip/ZipFileReader.cpp \
    "$root"/src/zip/ZipDirectory.cpp "$root"/src/zip/ZipMemberWriter.cpp \
    "$root"/src/zip/ZipExtractionClass.cpp \
    "$root"/src/core/TextFile.cpp "$root"/src/core/Progress.cpp "$root"/src/core/UiService.cpp \
    -lz -o "$work/zip_reader_fuzz"
# Seed the corpus with a few real archives.
if command -v zip >/dev/null && [ ! -e "$work/corpus/seed1.zip" ]; then
    (cd "$root" && zip -q "$work/corpus/seed1.zip" README* .clang-format >/dev/null 2>&1 || true)
    printf 'hello' | zip -q - - > "$work/corpus/seed2.zip" 2>/dev/null || true
fi
exec "$work/zip_reader_fuzz" -max_total_time="$seconds" -max_len=65536 "$work/corpus"
