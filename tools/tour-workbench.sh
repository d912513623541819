#!/usr/bin/env bash
# The workbench's headless tour: runs Workbench on the private screen and uses the designer library
# as a person would, with real mouse and keyboard input: switches layout mode on, chooses controller
# kinds from the menu, selects an area with Ctrl, resizes two controls in proportion, creates a
# memo from the palette, types its width into the inspector, saves the stage through the save
# dialog, starts a new stage and opens the saved one again. Leaves out/workbench.stage and screenshots out/workbench-*.png.
# Usage: tour-workbench.sh BUILD_DIR OUT_DIR
set -eu
build=$1 out=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/tour/common.sh"
mkdir -p "$out"
rm -f "$out/workbench.stage" "$out"/workbench-*.png
shot() { driver wait; import -window root "$out/workbench-$1.png"; echo "screenshot: $out/workbench-$1.png"; }
# A menu command by its keyboard accelerators: Alt with the menu's letter, then the item's, after a
# click on the log pane gives the main window the keyboard back (the inspector takes it when it
# opens).
menu() {
  click 500 700
  xdotool key "alt+$1"
  sleep 0.3
  xdotool key "$2"
  driver wait
}

start_program TWorkbenchForm "$build/workbench/Workbench.exe"
# The stage lies at client (224, 34); its sample controls are where the stored layout puts them.
stage_x=224 stage_y=34
on_stage() { echo "$((stage_x + $1)) $((stage_y + $2))"; }

click 80 17  # the layout-mode switch
# Multi-select: a drag with Ctrl from the empty stage over the note shape and its label.
menu c m
xdotool keydown ctrl
drag $(on_stage 8 270) 236 104
xdotool keyup ctrl
shot area
# Proportional resize: the note shape and the gradient box, the shape widened by its handle.
menu c p
click $(on_stage 60 300)
xdotool keydown shift
click $(on_stage 500 30)
xdotool keyup shift
drag $(on_stage 215 359) 40 20
shot resize
# Eight handles, and a memo made from the palette's fifth button.
menu c e
click $((112 + 52)) $((34 + 108 + 25))
drag $(on_stage 300 430) 120 72
shot create
# The new memo's width typed into the inspector's Width row (its seventh: colour, font, height,
# left, name, top, width), written back by a click on the row above.
read -r ix iy < <(tour_window=TInspectorFm driver origin | tr -d '\r')
row_y() { echo $((iy + 25 * $1 + 12)); }
xdotool mousemove $((ix + 160)) "$(row_y 7)" click 1
sleep 0.3
xdotool key ctrl+a
xdotool type 160
xdotool mousemove $((ix + 160)) "$(row_y 6)" click 1
driver wait
shot inspector
# Saved, replaced by a new stage, and opened again.
menu f s
driver save "$(winepath -w "$out/workbench.stage")"
menu f n
menu f o
driver open "$(winepath -w "$out/workbench.stage")"
shot reopened
driver close
wait "$pid"
[ -s "$out/workbench.stage" ] || { echo "tour: the stage was not saved" >&2; exit 1; }
echo "stage: $out/workbench.stage"
