#!/bin/sh
# Opens a spin page and a transparent WebM written by vellumark-render in
# headless Chromium: dragging must change the frame shown, and the video must
# report its size and duration.
# Usage: browser_check.sh VELLUMARK_RENDER spin_check.html
set -eu
render=$1
harness=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$render" --spin 12 --size 320x240 --out "$work/spin.html"
"$render" --transparent --turntable 6 --format 17 --video "$work/clip.webm"
cp "$harness" "$work/spin_check.html"

browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then
    echo "Chromium is not installed (scripts/dev installs it)" >&2
    exit 1
fi
# The harness reads the spin page through its frame, which file pages may
# only do with file access allowed.
title=$(timeout 120 "$browser" --headless --no-sandbox --disable-gpu --no-first-run \
    --user-data-dir="$work/profile" --allow-file-access-from-files --virtual-time-budget=10000 \
    --dump-dom "file://$work/spin_check.html" 2>/dev/null |
    sed -n 's:.*<title>\(.*\)</title>.*:\1:p' | sed 's/&gt;/>/g')
echo "Chromium reports: $title"
case "$title" in
    "done frame "*) ;;
    *) echo "the page did not finish" >&2; exit 1 ;;
esac
before=$(echo "$title" | sed -n 's/^done frame \([0-9]*\)->\([0-9]*\) .*/\1/p')
after=$(echo "$title" | sed -n 's/^done frame \([0-9]*\)->\([0-9]*\) .*/\2/p')
if [ -z "$before" ] || [ "$before" = "$after" ]; then
    echo "dragging did not change the frame shown" >&2
    exit 1
fi
case "$title" in
    *" video 320x240 0.20s") ;;
    *) echo "the WebM does not report 320x240 and 0.20 s" >&2; exit 1 ;;
esac
