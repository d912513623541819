#!/usr/bin/env bash
# The headless tour: runs the program on the private screen, drives it through the tour driver,
# takes a screenshot of the virtual screen, and closes the program cleanly.
# Usage: tour.sh BUILD_DIR OUT_DIR
set -eu
build=$1 out=$2
driver=$build/tools/TourDriver.exe
mkdir -p "$out"
wine "$build/app/Tavelko.exe" </dev/null >/dev/null 2>&1 &
pid=$!
wine "$driver" wait
import -window root "$out/screenshot.png"
wine "$driver" close
wait "$pid"
echo "screenshot: $out/screenshot.png"
