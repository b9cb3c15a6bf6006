#!/usr/bin/env bash
# Seconds per picture of a 20-cover batch at 1920x1080, start-up included.
# Usage: bench/batch_render_bench.sh [build folder]
set -euo pipefail
build=${1:-build}
render="$(cd "$build" && pwd)/bin/vellumark-render"
art="$(cd "$build" && pwd)/bin/Design Images"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
packages=(Book.jpg Paperback.jpg RetailBox.jpg DVD.jpg CD-case.jpg)
echo "package,front,out" > "$work/covers.csv"
i=0
for cover in "$art"/*.jpg; do
  [ $i -lt 20 ] || break
  printf '%s,"%s",shot-%02d.png\n' "${packages[$((i % 5))]}" "$cover" "$i" >> "$work/covers.csv"
  i=$((i + 1))
done
start=$(date +%s.%N)
"$render" --batch "$work/covers.csv" --size 1920x1080 2>/dev/null
end=$(date +%s.%N)
made=$(ls "$work"/shot-*.png | wc -l)
echo "batch_render: $made pictures at 1920x1080, $(echo "($end - $start) / $made" | bc -l | cut -c1-5) s per picture"
