#!/usr/bin/env bash
# Converts a 5-minute 44.1 kHz stereo FLAC to every reader-writer code and prints the time and
# peak memory of each beside ffmpeg doing the same codec, rate and channels.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMELODRIFT_BENCH=ON \
    -DMELODRIFT_TESTS=OFF >/dev/null
cmake --build "$build" --target bench_converter -j2 >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export MELODRIFT_HOME="$work/home"
input="$work/five-minutes.flac"
ffmpeg -nostdin -loglevel error -y -f lavfi \
    -i "aevalsrc=exprs=0.4*sin(2*PI*440*t)+0.1*random(0)|0.4*sin(2*PI*660*t)+0.1*random(1):s=44100:d=300" \
    -c:a flac "$input"
"$build/bench/bench_converter" "$input"
