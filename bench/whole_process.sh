#!/usr/bin/env bash
# Whole runs of zelanto-cli on a SIM file of 50,001 points, side by side with LibreOffice's own
# conversion of the same points from CSV to .xlsx: the median time of each, the peak memory of
# zelanto-cli, and how many times faster zelanto-cli is.
#
#   bench/whole_process.sh [BUILD_DIR [BEFORE_BUILD_DIR]]
#
# BUILD_DIR (default build-bench) holds a Release build:
#   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release && cmake --build build-bench
# BEFORE_BUILD_DIR, a Release build of an earlier version, is timed in the same run, so that a
# change is measured before and after under the same load.
# Times are wall-clock: on a busy machine they grow with the load, the ratios less so.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build-bench}" && pwd)
cli=$build/cli/zelanto-cli
runs=${ZELANTO_BENCH_RUNS:-30}
office_runs=${ZELANTO_BENCH_OFFICE_RUNS:-5}
for tool in hyperfine soffice /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "whole_process: $tool is missing (scripts/setup)" >&2; exit 1; }
done
[ -x "$cli" ] || { echo "whole_process: no $cli: build it first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# The points as an instrument writes them, and the same points as the CSV LibreOffice converts.
awk 'BEGIN {
    printf "G00,01,bench,\r\nZ00,coordinates,\r\nA00,\r\n" > "points.sim"
    for (i = 1; i <= 50001; i++) {
        x = sprintf("%.3f", -30000 - i * 0.137)
        y = sprintf("%.3f", 42000 + i * 0.291)
        z = sprintf("%.3f", (i % 100) * 0.731)
        printf "A01,%d,P%d,%s,%s,%s,\r\n", i, i, x, y, z > "points.sim"
        printf "%d,P%d,%s,%s,%s\r\n", i, i, x, y, z > "points.csv"
    }
    printf "A99,\r\n" > "points.sim"
}'

import="$cli import points.sim --scale 1/500 --script orvik.scr"
export_xlsx="$import --xlsx sheet.xlsx"
before=()
if [ -n "${2:-}" ]; then
    before_cli=$(cd "$2" && pwd)/cli/zelanto-cli
    [ -x "$before_cli" ] || { echo "whole_process: no $before_cli: build it first" >&2; exit 1; }
    before=(-n before:import "$before_cli import points.sim --scale 1/500 --script before.scr"
        -n before:import+xlsx "$before_cli import points.sim --scale 1/500 --script before.scr --xlsx before.xlsx")
fi
# A profile of its own, made by the warm-up run: the first start with a new profile is slow.
office="soffice -env:UserInstallation=file://$work/profile --headless --convert-to xlsx --outdir $work/office points.csv"

hyperfine -N --style basic --warmup 3 --runs "$runs" --export-csv cli.csv \
    -n import "$import" -n import+xlsx "$export_xlsx" "${before[@]}"
hyperfine -N --style basic --warmup 1 --runs "$office_runs" --export-csv office.csv \
    -n libreoffice "$office"
[ -s office/points.xlsx ] || { echo "whole_process: LibreOffice wrote no .xlsx" >&2; exit 1; }

# Peak resident memory in MB, the highest of five runs.
peak_mb() {
    local most=0 kb
    for _ in 1 2 3 4 5; do
        kb=$(/usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1)
        [ "$kb" -gt "$most" ] && most=$kb
    done
    awk -v kb="$most" 'BEGIN { printf "%.1f", kb / 1024 }'
}
# The median of a command in a hyperfine CSV, in milliseconds.
median_ms() {
    awk -F, -v name="$2" '$1 == name { printf "%.1f", $4 * 1000 }' "$1"
}

office_ms=$(median_ms office.csv libreoffice)
# One line of the table: what ran, its median and peak memory, and how many times faster than
# LibreOffice it is.
row() {
    printf '%-44s %10s %10s %12s\n' "$1" "$2" "$3" \
        "$(awk -v o="$office_ms" -v t="$2" 'BEGIN { printf "%.0f×", o / t }')"
}

echo
printf '%-44s %10s %10s %12s\n' "50,001 points ($(du -k points.sim | cut -f1) kB)" "median ms" "peak MB" "LibreOffice÷"
# shellcheck disable=SC2086 # the commands are words to split
row "zelanto-cli import --script" "$(median_ms cli.csv import)" "$(peak_mb $import)"
# shellcheck disable=SC2086
row "zelanto-cli import --script --xlsx" "$(median_ms cli.csv import+xlsx)" "$(peak_mb $export_xlsx)"
if [ ${#before[@]} -gt 0 ]; then
    # shellcheck disable=SC2086
    row "before: import --script" "$(median_ms cli.csv before:import)" "$(peak_mb ${before[2]})"
    # shellcheck disable=SC2086
    row "before: import --script --xlsx" "$(median_ms cli.csv before:import+xlsx)" \
        "$(peak_mb ${before[5]})"
fi
printf '%-44s %10s %10s %12s\n' "soffice --convert-to xlsx (CSV)" "$office_ms" "" ""
