#!/usr/bin/env bash
# The headless tour: runs Tavelko on the private screen and uses it as a person would, with real
# input: drops a photo on each frame, arranges balloons and boxes in layout mode (dragging,
# resizing, copying, pasting, deleting), types dialogue into the boxes, saves the page through the
# save dialog, and takes a screenshot. Then it opens the saved comic again, checks that the page
# looks as it did, moves a balloon, undoes and redoes the move, and closes without saving.
# Leaves out/comic.jpg and out/screenshot.png (the pages it compared in out/tour-pages).
# Usage: tour.sh BUILD_DIR OUT_DIR
set -eu
build=$1 out=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/tour/common.sh"
mkdir -p "$out/tour-photos" "$out/tour-pages"
rm -f "$out/comic.jpg" "$out/screenshot.png"

# Photos made for the tour: large enough that the frames must scale them down.
colours=("orange-purple" "skyblue-seagreen" "gold-firebrick" "white-slateblue")
for k in 1 2 3 4; do
  convert -size 1600x1200 "gradient:${colours[k-1]}" \
    -fill white -draw "circle $((300 * k)),600 $((300 * k)),300" \
    -fill black -draw "rectangle $((1500 - 250 * k)),150 $((1550 - 250 * k)),1050" \
    -quality 92 "$out/tour-photos/photo$k.jpg"
done

start_program TMainForm1 "$build/app/Tavelko.exe"

# The frames lie on the stage (client x 22) at stage (100, 150 * (k - 1)), 200 x 150 each.
for k in 1 2 3 4; do
  x=$((ox + 22 + 200)) y=$((oy + 150 * (k - 1) + 75))
  xdotool mousemove "$x" "$y"
  driver wait
  # Right after start-up Wine may not take a drop yet: try again a few times.
  for attempt in 1 2 3 4 5; do
    /usr/bin/python3 "$here/tour/xdnd_drop.py" "$x" "$y" "$out/tour-photos/photo$k.jpg" && break
    [ "$attempt" = 5 ] && exit 1
    sleep 0.5
  done
  driver wait
done

# Layout mode: a click on the mode switch, then balloons and their dialogue boxes dragged onto the
# photos with the real mouse (stage coordinates are client coordinates less the side bar's 22).
switch_x=$((432 + 80)) switch_y=$((520 + 1 + 12))
click "$switch_x" "$switch_y"
balloon_tops=(16 76 136 196)
for i in 0 1 2 3; do
  # Over the upper right of frame i + 1, on the 4-pixel grid.
  dy=$(( (150 * i + 8 - balloon_tops[i]) / 4 * 4 )) dx=-216
  drag $((22 + 414 + 4)) $((balloon_tops[i] + 4)) "$dx" "$dy"      # the balloon, by its left end
  drag $((22 + 428 + 60)) $((27 + 60 * i + 8)) "$dx" "$dy"         # its dialogue box
done
# The last box moved is selected: widen it with its lower-right grab handle.
last_right=$((22 + 428 - 216 + 120)) last_bottom=$((27 + 180 + (150 * 3 + 8 - 196) / 4 * 4 + 16))
drag $((last_right - 1)) $((last_bottom - 1)) 12 0
# The fourth balloon copied, pasted into the stage (a click on an empty spot of it selects it)
# over itself, and the copy dragged beside it; the fifth balloon, unused, deleted.
fourth_x=$((22 + 414 - 216 + 4)) fourth_y=$((196 + (150 * 3 + 8 - 196) / 4 * 4 + 4))
click "$fourth_x" "$fourth_y"
xdotool key ctrl+c
click 590 300
xdotool key ctrl+v
driver wait
drag "$fourth_x" "$fourth_y" -96 -40
click $((22 + 414 + 4)) $((256 + 4))
xdotool key Delete
driver wait
click "$switch_x" "$switch_y"

# Dialogue typed into the four boxes now on the page.
lines=("おはよう！" "いい天気だね" "どこへ行くの？" "海まで歩こう")
for i in 0 1 2 3; do
  dy=$(( (150 * i + 8 - balloon_tops[i]) / 4 * 4 ))
  driver type $((22 + 428 - 216 + 60)) $((27 + 60 * i + dy + 8)) "${lines[i]}"
done

# Save: a real click on the save button, then the save dialog answered.
xdotool mousemove $((ox + 432 + 80)) $((oy + 520 + 25 + 12)) click 1
driver save "$(winepath -w "$out/comic.jpg")"
driver wait
import -window root "$out/screenshot.png"
driver close
wait "$pid"
[ -s "$out/comic.jpg" ] || { echo "tour: the comic was not saved" >&2; exit 1; }

# The page area of the screen (client x 22, 400 x 600) as NAME.png.
page_shot() {
  driver wait
  import -window root -crop "400x600+$((ox + 22))+$oy" +repage "$out/tour-pages/$1.png"
}
# The root-mean-square difference of two page shots, from 0 to 1.
difference() {
  compare -metric RMSE "$out/tour-pages/$1.png" "$out/tour-pages/$2.png" null: 2>&1 | sed -E 's/.*\((.*)\).*/\1/'
}
same_page() {  # same_page A B WHAT: A and B show the same page, up to JPEG noise
  local d; d=$(difference "$1" "$2")
  awk -v d="$d" 'BEGIN { exit !(d < 0.02) }' || { echo "tour: $3 (difference $d)" >&2; exit 1; }
}
convert "$out/screenshot.png" -crop "400x600+$((ox + 22))+$oy" +repage "$out/tour-pages/saved.png"

# The comic opened again from the command line shows the page as it was saved.
start_program TMainForm1 "$build/app/Tavelko.exe" "$(winepath -w "$out/comic.jpg")"
page_shot reopened
same_page saved reopened "the reopened comic does not show the saved page"

# In layout mode the first balloon (now at stage 198, 8) moved down, the move undone and redone.
click "$switch_x" "$switch_y"
click $((22 + 198 + 4)) $((8 + 4))
page_shot selected
sleep 1  # a press at once at the same place would be a double-click
drag $((22 + 198 + 4)) $((8 + 4)) 0 40
page_shot moved
xdotool key ctrl+z
page_shot undone
xdotool key ctrl+y
page_shot redone
awk -v d="$(difference selected moved)" 'BEGIN { exit !(d >= 0.005) }' || { echo "tour: the balloon did not move" >&2; exit 1; }
same_page selected undone "undoing the move did not restore the page"
same_page moved redone "redoing the move did not move the balloon again"

# The redone move is unsaved work: closing asks, and the tour answers No.
driver close
driver answer no
wait "$pid"
echo "comic: $out/comic.jpg"
echo "screenshot: $out/screenshot.png"
