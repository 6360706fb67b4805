#!/usr/bin/env bash
# Times the MP3 path (render the intermediate, then encode) and the AIFF and CAF renders on a
# 5-minute FLAC, beside ffmpeg doing the same in one pass, the two alternating. Prints the
# median and the fastest of several runs (the fastest is the steadier figure on a busy machine).
#   bench/pcm_vs_ffmpeg.sh [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-3}
build="$root/build-bench"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMELODRIFT_BENCH=ON \
    -DMELODRIFT_TESTS=OFF >/dev/null
cmake --build "$build" --target bench_pcm -j2 >/dev/null
bench="$build/bench/bench_pcm"

# Five minutes of 16-bit stereo at 44100 Hz with changing tones and noise, like music enough
# for the encoder's bit rate to vary.
in="$work/in.flac"
ffmpeg -nostdin -v error -y -f lavfi -i \
    "aevalsrc=exprs=0.4*sin(2*PI*(220+110*floor(mod(t\,8)))*t)+0.1*(random(0)-0.5)|0.4*sin(2*PI*(330+55*floor(mod(t\,6)))*t)+0.1*(random(1)-0.5):s=44100:d=300" \
    -c:a flac -sample_fmt s16 "$in"

seconds() { # command... -> wall seconds
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN {print b - a}'
}

median() { sort -n | awk '{a[NR]=$1} END {printf "%.3f", a[int((NR+1)/2)]}'; }
fastest() { sort -n | awk 'NR==1 {printf "%.3f", $1}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {print a / b}'; }

compare() { # label, our command, ffmpeg command (both as strings)
    local label=$1 ours=$2 theirs=$3 a=() b=()
    for _ in $(seq "$runs"); do
        a+=("$(seconds bash -c "$ours")")
        b+=("$(seconds bash -c "$theirs")")
    done
    local ma mb fa fb
    ma=$(printf '%s\n' "${a[@]}" | median)
    mb=$(printf '%s\n' "${b[@]}" | median)
    fa=$(printf '%s\n' "${a[@]}" | fastest)
    fb=$(printf '%s\n' "${b[@]}" | fastest)
    printf '%-28s median %6.3f s vs ffmpeg %6.3f s (%.3f)   fastest %6.3f s vs %6.3f s (%.3f)\n' \
        "$label" "$ma" "$mb" "$(ratio "$ma" "$mb")" "$fa" "$fb" "$(ratio "$fa" "$fb")"
}

ff="ffmpeg -nostdin -v error -y -i $in"
compare "mp3 (render + encode)" "$bench mp3 $in $work/a.mp3" "$ff -c:a libmp3lame -q:a 4 $work/b.mp3"
compare "aiff 44100 Hz" "$bench aiff $in $work/a.aiff 44100" "$ff -c:a pcm_s16be $work/b.aiff"
compare "aiff 22050 Hz" "$bench aiff $in $work/a.aiff 22050" "$ff -ar 22050 -c:a pcm_s16be $work/b.aiff"
compare "caf 22050 Hz" "$bench caf $in $work/a.caf 22050" "$ff -ar 22050 -c:a pcm_s16le $work/b.caf"
compare "caf 22050 Hz (ffmpeg soxr)" "$bench caf $in $work/a.caf 22050" \
    "$ff -af aresample=resampler=soxr -ar 22050 -c:a pcm_s16le $work/b.caf"
