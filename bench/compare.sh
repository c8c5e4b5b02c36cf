#!/usr/bin/env bash
# The whole program on one file in the page cache:
# - time against a plain copy (dd bs=1M) and, where installed, openssl's
#   AES-128-CTR; runs alternate (A B C A B C ...) so that a noisy machine weighs
#   on all alike; prints each command's median and its ratio to dd;
# - where valgrind is installed, user-space instructions per input byte;
# - where GNU time is installed, peak memory for a 4 MiB and the whole file.
#   bench/compare.sh [BRENVEX] [SIZE_MIB] [RUNS]
set -euo pipefail
brenvex=$(realpath "${1:-build/default/brenvex}")
size_mib=${2:-512}
runs=${3:-7}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
head -c $((size_mib * 1024 * 1024)) /dev/urandom >in
cat in >/dev/null  # into the page cache

names=(brenvex "dd bs=1M")
commands=("$brenvex in out" "dd if=in of=out bs=1M status=none")
if command -v openssl >/dev/null; then
    names+=("openssl aes-128-ctr")
    commands+=("openssl enc -aes-128-ctr -K 000102030405060708090a0b0c0d0e0f -iv 00000000000000000000000000000000 -in in -out out")
fi

declare -A times
for ((run = 0; run < runs; run++)); do
    for i in "${!commands[@]}"; do
        rm -f out  # overwriting a file adds a flush at close on some file systems
        start=$(date +%s%N)
        ${commands[$i]}
        end=$(date +%s%N)
        times[$i]+="$(((end - start) / 1000)) "
    done
done

median() { tr ' ' '\n' | grep . | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
dd_median=$(echo "${times[1]}" | median)
printf '%s MiB, %s runs each, alternating; medians:\n' "$size_mib" "$runs"
for i in "${!commands[@]}"; do
    m=$(echo "${times[$i]}" | median)
    awk -v n="${names[$i]}" -v m="$m" -v d="$dd_median" -v s="$size_mib" \
        'BEGIN {printf "  %-22s %8.1f ms  %7.0f MiB/s  %5.2fx dd\n", n, m / 1000, s / (m / 1e6), m / d}'
done

if command -v valgrind >/dev/null; then
    head -c $((64 * 1024 * 1024)) in >in64
    rm -f out
    valgrind --tool=callgrind --callgrind-out-file=callgrind.out "$brenvex" in64 out 2>callgrind.log
    instructions=$(sed -n 's/.*Collected : \([0-9]*\).*/\1/p' callgrind.log)
    awk -v i="$instructions" 'BEGIN {printf "  instructions per byte (callgrind, 64 MiB): %.3f\n", i / (64 * 1024 * 1024)}'
fi

if [ -x /usr/bin/time ]; then
    head -c $((4 * 1024 * 1024)) in >in4
    for input in in4 in; do
        rm -f out
        /usr/bin/time -f "%M" -o rss "$brenvex" "$input" out
        printf '  peak memory, %4s MiB input: %s KiB\n' "$(($(stat -c %s "$input") / 1024 / 1024))" "$(cat rss)"
    done
fi
