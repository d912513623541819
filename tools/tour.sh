#!/usr/bin/env bash
# The headless tour: runs Tavelko on the private screen and uses it as a person would, with real
# input: drops a photo on each frame, types dialogue into the boxes, saves the page through the
# save dialog, and takes a screenshot. Leaves out/comic.jpg and out/screenshot.png.
# Usage: tour.sh BUILD_DIR OUT_DIR
set -eu
build=$1 out=$2
here=$(cd "$(dirname "$0")" && pwd)
driver() { LC_ALL=C.UTF-8 wine "$build/tools/TourDriver.exe" "$@"; }
mkdir -p "$out/tour-photos"
rm -f "$out/comic.jpg" "$out/screenshot.png"

# Photos made for the tour: large enough that the frames must scale them down.
colours=("orange-purple" "skyblue-seagreen" "gold-firebrick" "white-slateblue")
for k in 1 2 3 4; do
  convert -size 1600x1200 "gradient:${colours[k-1]}" \
    -fill white -draw "circle $((300 * k)),600 $((300 * k)),300" \
    -fill black -draw "rectangle $((1500 - 250 * k)),150 $((1550 - 250 * k)),1050" \
    -quality 92 "$out/tour-photos/photo$k.jpg"
done

wine "$build/app/Tavelko.exe" </dev/null >/dev/null 2>&1 &
pid=$!
# A tour that fails half-way must not leave the program behind.
trap 'kill "$pid" 2>/dev/null || true' EXIT
driver wait
read -r ox oy < <(driver origin | tr -d '\r')

# The frames lie on the stage (client x 22) at stage (100, 150 * (k - 1)), 200 x 150 each.
for k in 1 2 3 4; do
  x=$((ox + 22 + 200)) y=$((oy + 150 * (k - 1) + 75))
  xdotool mousemove "$x" "$y"
  driver wait
  /usr/bin/python3 "$here/tour/xdnd_drop.py" "$x" "$y" "$out/tour-photos/photo$k.jpg"
  driver wait
done

# The dialogue boxes: Memo0..Memo7 at stage (428, 27 + 60 i), Memo7 at 432.
lines=("おはよう！" "いい天気だね" "どこへ行くの？" "海まで歩こう" "遠いよ……" "大丈夫、すぐだよ" "着いた！" "最高の一日だ")
for i in 0 1 2 3 4 5 6 7; do
  driver type $((22 + 428 + 60)) $((27 + 60 * i + 8)) "${lines[i]}"
done

# Save: a real click on the save button, then the save dialog answered.
xdotool mousemove $((ox + 432 + 80)) $((oy + 520 + 25 + 12)) click 1
driver save "$(winepath -w "$out/comic.jpg")"
driver wait
import -window root "$out/screenshot.png"
driver close
wait "$pid"
[ -s "$out/comic.jpg" ] || { echo "tour: the comic was not saved" >&2; exit 1; }
echo "comic: $out/comic.jpg"
echo "screenshot: $out/screenshot.png"
