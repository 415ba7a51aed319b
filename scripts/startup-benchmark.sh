#!/usr/bin/env bash
# Start-up time and peak memory of the calculator against a bare Qt window of the same size
# (bench/startup_probe.cpp and bench/bare_window.cpp), each a whole process that ends once the
# X server has its first picture, on a private Xvfb display: a real X server, as on a desktop.
#
#   scripts/startup-benchmark.sh [runs]   (default 30 timed runs and 15 memory runs of each)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
source scripts/xvfb.sh
ensure_packages "${BUILD_PACKAGES[@]}" libbenchmark-dev hyperfine xvfb time python3 valgrind
runs="${1:-30}"
memory_runs=$(((runs + 1) / 2))

# The same release build as scripts/benchmark.sh.
step "Configuring build-bench" cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release \
    -DKALVORA_BENCHMARK=ON -DBUILD_TESTING=OFF "${CMAKE_WARNING_OPTIONS[@]}" >/dev/null
step "Building the two start-up probes" \
    cmake --build build-bench --target startup_probe bare_window -j "$(nproc)"
calculator=$(realpath build-bench/bench/startup_probe)
bare=$(realpath build-bench/bench/bare_window)

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    set +e # a killed process reports a failure, and the folder must go all the same
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

start_xvfb
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work"
unset WAYLAND_DISPLAY

# Three rounds in alternating order, so that a change in the machine's load while they run
# falls on both programs alike; the medians come from all runs of all rounds.
round_runs=$(((runs + 2) / 3))
for round in 1 2 3; do
    first=("$calculator") second=("$bare") names=(calculator "bare window")
    if [ "$round" -eq 2 ]; then
        first=("$bare") second=("$calculator") names=("bare window" calculator)
    fi
    step "Timing start-up, round $round of 3" \
        hyperfine --warmup 3 --runs "$round_runs" --style basic \
            --export-json "build-bench/startup-$round.json" --command-name "${names[0]}" \
            "${first[0]}" --command-name "${names[1]}" "${second[0]}"
done

# Peak memory: the median "Maximum resident set size" of /usr/bin/time -v over several runs.
peak_rss() {
    local i
    for ((i = 0; i < memory_runs; i++)); do
        /usr/bin/time -v "$1" 2>&1 >/dev/null |
            sed -n 's/^[[:space:]]*Maximum resident set size (kbytes): //p'
    done | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
calculator_rss=$(step "Measuring the calculator's peak memory" peak_rss "$calculator")
bare_rss=$(step "Measuring the bare window's peak memory" peak_rss "$bare")

# Instructions to the first paint, which unlike the times do not move with the machine's load.
# Without a session bus the program forks to look for one; the larger count is its own.
instructions() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$1" 2>&1 >/dev/null |
        sed -n 's/.*Collected : //p' | sort -n | tail -n 1
}
calculator_instructions=$(step "Counting the calculator's instructions" instructions "$calculator")
bare_instructions=$(step "Counting the bare window's instructions" instructions "$bare")

python3 - "$calculator_rss" "$bare_rss" "$memory_runs" "$calculator_instructions" \
    "$bare_instructions" build-bench/startup-{1,2,3}.json <<'EOF'
import json, statistics, sys
times, cpu = {}, {}
for name in sys.argv[6:]:
    for r in json.load(open(name))["results"]:
        times.setdefault(r["command"], []).extend(r["times"])
        cpu.setdefault(r["command"], []).append(r["user"] + r["system"])
calculator, bare = (statistics.median(times[c]) for c in ("calculator", "bare window"))
calculator_cpu, bare_cpu = (statistics.mean(cpu[c]) for c in ("calculator", "bare window"))
calculator_rss, bare_rss = float(sys.argv[1]), float(sys.argv[2])
time_aim, memory_aim = 1.10, 1.25
def verdict(ratio, aim):
    return f"{'within' if ratio <= aim else 'OVER'} the aim of {aim}"
print()
print(f"Start-up to first paint under Xvfb, median of {len(times['calculator'])} runs each:")
print(f"  calculator   {calculator * 1000:7.1f} ms   (CPU {calculator_cpu * 1000:.1f} ms)")
print(f"  bare window  {bare * 1000:7.1f} ms   (CPU {bare_cpu * 1000:.1f} ms)")
print(f"  ratio        {calculator / bare:7.2f}   ({verdict(calculator / bare, time_aim)};"
      f" CPU time {calculator_cpu / bare_cpu:.2f})")
print(f"Peak memory (maximum resident set size), median of {sys.argv[3]} runs each:")
print(f"  calculator   {calculator_rss / 1024:7.1f} MiB")
print(f"  bare window  {bare_rss / 1024:7.1f} MiB")
print(f"  ratio        {calculator_rss / bare_rss:7.2f}   ({verdict(calculator_rss / bare_rss, memory_aim)})")
calculator_ir, bare_ir = int(sys.argv[4]), int(sys.argv[5])
print("Instructions to the first paint (callgrind):")
print(f"  calculator   {calculator_ir / 1e6:7.1f} million")
print(f"  bare window  {bare_ir / 1e6:7.1f} million")
print(f"  extra        {(calculator_ir - bare_ir) / 1e6:7.1f} million")
EOF
