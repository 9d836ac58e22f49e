#!/usr/bin/env bash
# Measures VEXA's performance figures on this machine and prints each beside
# its baseline from the same run, as the median of repeated runs with the
# interquartile range [q1-q3] and the range (min-max), and PASS or MISS
# against its target:
#
#   start-up       process start until the main window is mapped (Xvfb),
#                  vexa beside a bare Qt 6 dialog program        <= 1.10x
#   memory         peak resident memory of the idle main window
#                  beside the bare dialog                        <= 1.15x
#   responsiveness command until each dialog is shown, first
#                  opening in a process (cold) and later ones
#                  (warm); slider release until the text is
#                  redrawn                                       < 16.7 ms
#   generation     Create Arvon source of a full bot (TabSkill on)
#                  beside plain stdio writes of the same bytes   <= 2x
#                  and the whole `vexa --generate` process beside
#                  `vexa --version`
#   import         listing the bots of a base folder holding a 500 MB
#                  archive of 5,000 entries and importing one, with a
#                  fresh source each run (after a first read)   < 50 ms
#                  and the same from loose files                 < 16.7 ms
#   compare        View > Compare on a base folder of 44 bots in a
#                  500 MB archive of 5,000 entries: the window
#                  opened until its table is filled (a fresh
#                  source each run, after a first read)          < 100 ms
#                  and the redraw after a change of the level or
#                  of the bots shown                             < 16.7 ms
#   profile file   saving and loading a profile with the largest
#                  block of extras allowed                       < 16.7 ms
#
# Usage: scripts/bench.sh [--runs N] [--startup-only]
#   --runs N          N start-ups of each program (default 15)
#   --startup-only    only the start-up and memory figures
# Builds in build/bench (or $VEXA_BENCH_BUILD). Not part of the tests or CI.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VEXA_BENCH_BUILD:-$root/build/bench}"
runs=15
only=""
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs="$2"; shift 2 ;;
    --startup-only) only=startup; shift ;;
    *) echo "usage: $0 [--runs N] [--startup-only]" >&2; exit 2 ;;
  esac
done

if [ "${VEXA_BENCH_INNER:-}" != 1 ]; then
  "$root/scripts/install-deps.sh" xvfb xauth libx11-dev
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVEXA_BUILD_BENCH=ON >/dev/null
  targets=(vexa vexa_bench_bare_dialog vexa_bench_mapwatch)
  if [ -z "$only" ]; then
    targets+=(vexa_bench_responsiveness vexa_bench_generate vexa_bench_import vexa_bench_compare
      vexa_bench_extras)
  fi
  cmake --build "$build" -j2 --target "${targets[@]}" >/dev/null
  # Every figure is taken on the same fresh X server without a window manager.
  exec env VEXA_BENCH_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    "$0" --runs "$runs" ${only:+--startup-only}
fi

unset QT_QPA_PLATFORM
export QT_QPA_PLATFORM=xcb
bin="$build/bench"
vexa="$build/src/vexa"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
samples="$work/samples"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
: >"$samples"

# stats KEY: "median q1 q3 min max n" of the samples of KEY.
stats() {
  grep "^sample $1 " "$samples" | awk '{print $3}' | sort -g | awk '
    function q(p,   r, b, f) {
      r = p * (NR - 1) + 1; b = int(r); f = r - b
      return b >= NR ? v[NR] : v[b] + (v[b + 1] - v[b]) * f
    }
    { v[NR] = $1 }
    END {
      if (NR == 0) { print "nan nan nan nan nan 0"; exit }
      printf "%.3f %.3f %.3f %.3f %.3f %d\n", q(0.5), q(0.25), q(0.75), v[1], v[NR], NR
    }'
}
# show VALUES DIGITS: "median [q1-q3] (min-max)" of a stats line.
show() {
  echo "$1" | awk -v d="$2" '{printf "%." d "f [%." d "f-%." d "f] (%." d "f-%." d "f)", $1, $2, $3, $4, $5}'
}
median() { echo "$1" | awk '{print $1}'; }
# verdict RATIO OP LIMIT
verdict() {
  awk -v r="$1" -v op="$2" -v l="$3" 'BEGIN {
    ok = (op == "<=") ? (r <= l) : (r < l); print (ok ? "PASS" : "MISS") }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }

echo "VEXA benchmark, $(date -u +%Y-%m-%dT%H:%M:%SZ), $(nproc) cores, $(uname -sr)"
echo "build: $build"
echo

# Start-up and memory: each program starts in its own empty folder, the two
# programs take turns.
for ((i = 0; i < runs; i++)); do
  order=(bare vexa)
  if [ $((i % 2)) -eq 1 ]; then order=(vexa bare); fi
  for program in "${order[@]}"; do
    folder="$work/start-$program-$i"
    mkdir -p "$folder"
    if [ "$program" = bare ]; then command=("$bin/vexa_bench_bare_dialog"); else command=("$vexa"); fi
    line="$(cd "$folder" && "$bin/vexa_bench_mapwatch" --idle 1000 -- "${command[@]}")"
    startup="$(echo "$line" | sed -n 's/.*startup_ms=\([0-9.]*\).*/\1/p')"
    rss="$(echo "$line" | sed -n 's/.*peak_rss_kb=\([0-9]*\).*/\1/p')"
    echo "sample startup.$program $startup" >>"$samples"
    echo "sample rss.$program $(awk -v k="$rss" 'BEGIN { printf "%.1f", k / 1024 }')" >>"$samples"
  done
done

# Responsiveness: several processes, each opening every dialog six times
# (the source preview of a full bot among them).
if [ -z "$only" ]; then
for ((i = 0; i < 5; i++)); do
  folder="$work/respond-$i"
  mkdir -p "$folder"
  (cd "$folder" && "$bin/vexa_bench_responsiveness" --rounds 6 --releases 60) >>"$samples"
done

# Generation.
"$bin/vexa_bench_generate" "$work/generate" "$vexa" --runs 200 --process-runs 30 >>"$samples"

# Import.
"$bin/vexa_bench_import" "$work/import" --runs 30 >>"$samples" || echo "import_failed" >>"$samples"

# Compare.
"$bin/vexa_bench_compare" "$work/compare" --runs 30 >>"$samples" || echo "compare_failed" >>"$samples"

# Profile files with the largest extras.
"$bin/vexa_bench_extras" "$work/extras" --runs 100 >>"$samples" || echo "extras_failed" >>"$samples"
fi

misses=0
row() { # NAME FIGURE BASELINE RATIO TARGET VERDICT
  printf '%-28s %-40s %-40s %-8s %-9s %s\n' "$@"
  if [ "$6" = MISS ]; then misses=$((misses + 1)); fi
}

echo "== Start-up and memory ($runs runs each; median [q1-q3] (min-max))"
printf '%-28s %-40s %-40s %-8s %-9s %s\n' figure vexa "bare dialog" ratio target ""
for figure in startup rss; do
  v="$(stats "$figure.vexa")"
  b="$(stats "$figure.bare")"
  r="$(ratio "$(median "$v")" "$(median "$b")")"
  if [ "$figure" = startup ]; then
    row "start-up (ms)" "$(show "$v" 1)" "$(show "$b" 1)" "${r}x" "<= 1.10x" "$(verdict "$r" "<=" 1.10)"
  else
    row "peak resident memory (MiB)" "$(show "$v" 1)" "$(show "$b" 1)" "${r}x" "<= 1.15x" "$(verdict "$r" "<=" 1.15)"
  fi
done
echo

if [ -z "$only" ]; then
echo "== Responsiveness (ms from the command until the dialog is shown; target < 16.7 ms)"
printf '%-28s %-40s %-40s %-8s %-9s %s\n' dialog "first opening (cold)" "later openings (warm)" "" target ""
for key in $(grep '^sample open_cold\.' "$samples" | awk '{print $2}' | sed 's/^open_cold\.//' | awk '!seen[$0]++'); do
  c="$(stats "open_cold.$key")"
  w="$(stats "open_warm.$key")"
  worst="$(awk -v a="$(median "$c")" -v b="$(median "$w")" 'BEGIN { print (a > b ? a : b) }')"
  row "$key" "$(show "$c" 2)" "$(show "$w" 2)" "" "< 16.7" "$(verdict "$worst" "<" 16.7)"
done
s="$(stats slider_release)"
row "slider release" "$(show "$s" 3)" "" "" "< 16.7" "$(verdict "$(median "$s")" "<" 16.7)"
echo

echo "== Generation (ms; a full bot with TabSkill on)"
printf '%-28s %-40s %-40s %-8s %-9s %s\n' figure vexa baseline ratio target ""
g="$(stats generate_source)"
p="$(stats plain_writes)"
r="$(ratio "$(median "$g")" "$(median "$p")")"
row "GenerateSource / stdio" "$(show "$g" 3)" "$(show "$p" 3)" "${r}x" "<= 2x" "$(verdict "$r" "<=" 2)"
g="$(stats vexa_generate_process)"
p="$(stats vexa_version_process)"
r="$(ratio "$(median "$g")" "$(median "$p")")"
row "vexa --generate / --version" "$(show "$g" 2)" "$(show "$p" 2)" "${r}x" "(none)" ""
echo "($(grep '^generate_files' "$samples" | sed 's/^generate_files //'); stdio: fopen, fwrite, fclose)"
echo

echo "== Import (ms; a fresh source each run, after a first read)"
printf '%-28s %-40s %-40s %-8s %-9s %s\n' figure vexa "" "" target ""
s="$(stats index_archive)"
row "index archive + read a file" "$(show "$s" 2)" "" "" "< 50" "$(verdict "$(median "$s")" "<" 50)"
s="$(stats import_archive)"
row "list bots + import (archive)" "$(show "$s" 2)" "" "" "< 50" "$(verdict "$(median "$s")" "<" 50)"
s="$(stats import_loose)"
row "list bots + import (loose)" "$(show "$s" 2)" "" "" "< 16.7" "$(verdict "$(median "$s")" "<" 16.7)"
if grep -q '^import_failed' "$samples"; then
  row "import itself" "a bot could not be listed or imported" "" "" "" MISS
fi
echo "($(grep '^import_files' "$samples" | sed 's/^import_files //'))"

echo
echo "== Profile file with the largest extras (ms)"
for figure in save load; do
  s="$(stats "profile_extras_$figure")"
  row "$figure profile + extras" "$(show "$s" 2)" "" "" "< 16.7" "$(verdict "$(median "$s")" "<" 16.7)"
done
# The part of each without the disk: the bytes made and checked in memory.
for figure in encode decode; do
  s="$(stats "profile_extras_$figure")"
  row "  of which $figure" "$(show "$s" 2)" "" "" "" ""
done
echo "(load average $(cut -d' ' -f1-3 /proc/loadavg) after the runs)"
if grep -q '^extras_failed' "$samples"; then
  row "profile file itself" "the profile could not be saved or loaded" "" "" "" MISS
fi
echo "(block of $(grep '^extras_block_bytes' "$samples" | sed 's/^extras_block_bytes //') bytes after the record)"
echo

echo "== Compare (ms; View > Compare on a game folder of 44 bots)"
printf '%-28s %-40s %-40s %-8s %-9s %s\n' figure vexa "" "" target ""
s="$(stats compare_table)"
row "open until the table is full" "$(show "$s" 2)" "" "" "< 100" "$(verdict "$(median "$s")" "<" 100)"
s="$(stats compare_level)"
row "redraw after a level change" "$(show "$s" 2)" "" "" "< 16.7" "$(verdict "$(median "$s")" "<" 16.7)"
s="$(stats compare_shown)"
row "redraw after a bot shown" "$(show "$s" 2)" "" "" "< 16.7" "$(verdict "$(median "$s")" "<" 16.7)"
if grep -q '^compare_failed' "$samples"; then
  row "compare itself" "the game folder's bots were not all read" "" "" "" MISS
fi
echo "($(grep '^compare_files' "$samples" | sed 's/^compare_files //'))"
echo
fi
if [ "$misses" -eq 0 ]; then
  echo "All targets met."
else
  echo "$misses target(s) missed."
fi
