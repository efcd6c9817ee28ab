#!/usr/bin/env bash
# Takes the pictures in docs/: the start-up logo, centred, during its pause;
# the main window right after start-up; the distance-resolution dialog,
# the About box, the split table of a marathon and a race-day plan over
# the guide's hill. From velto.exe in a Wine
# desktop (Wine draws the window frames there) on a virtual display,
# driven by keys as a user would.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/install-deps.sh run xvfb xauth imagemagick xdotool
cmake --build build/windows --target velto >/dev/null

# The tools start from what they last kept: here, from nothing.
rm -f build/wineprefix/drive_c/users/*/AppData/Roaming/Velto/{velto.ini,course.veltoplan}
. scripts/xvfb.sh
start_xvfb 1280x1024
# The Wine desktop of these pictures must not outlive them.
trap 'WINEPREFIX=$PWD/build/wineprefix wineserver -k 2>/dev/null; kill "$xvfb_pid"' EXIT
(cd build/windows/ui && timeout 90 ../../../scripts/wine-run.sh explorer /desktop=Velto,1024x768 velto.exe >/dev/null 2>&1 &)

# The Wine desktop starts at the top left; the window sits at (50, 100) in it.
shot() { sleep "$3"; import -window root -crop "$1" +repage "docs/$2"; echo "docs/$2"; }
shot 1024x768+0+0 logo.png 3.5
shot 636x212+50+100 main-window.png 5
xdotool mousemove 400 120 click 1
xdotool key alt+s; sleep 0.5; xdotool key d; sleep 0.5; xdotool type 12
shot 636x260+50+100 distance-dialog.png 1.5
xdotool key Escape
xdotool key alt+h; sleep 0.5; xdotool key a
shot 636x260+50+100 about-box.png 1.5
xdotool key Escape
# A 3:30:00 marathon by kilometre: Special > Marathon, the time typed over
# in the Time field, Tab to the units, the Km split unit; then the tools:
# Special > Splits with a 2 % negative split, the Plan page and the
# Equivalents of the marathon.
xdotool key alt+p; sleep 0.5; xdotool key m; sleep 0.5
xdotool key Home shift+End; xdotool type 3:30:00; xdotool key Tab Tab Down Right space; sleep 0.5
xdotool key alt+p; sleep 0.5; xdotool key s; sleep 1.5
xdotool key alt+n; sleep 0.3; xdotool key Tab; xdotool type 2
shot 1024x768+0+0 splits-page.png 1.5
xdotool key ctrl+shift+Tab; sleep 0.5
shot 1024x768+0+0 plan-page.png 1.5
xdotool key ctrl+Tab ctrl+Tab; sleep 0.5
shot 1024x768+0+0 equivalents-page.png 1.5
xdotool key Escape
# A race-day plan, the tools window maximized: 10 km in 50:00 over the
# guide's hill at even effort, its stations, a start at 09:00 and a cut-off:
# the Km distance unit first (so that 10 K is 10.00 Km.), Special > 10 K,
# the time typed, then on the Splits page Even pace, every 1 km, a hill
# effort of 50 %, the course chosen in the Open dialog, the start and the
# cut-off typed, and the window maximized from its system menu.
xdotool mousemove 230 160 click 1; sleep 0.3  # into the Time field
xdotool key Tab Tab Right space; sleep 0.5
xdotool key alt+p; sleep 0.5; xdotool key 0; sleep 0.5
xdotool mousemove 230 160 click 1; sleep 0.3
xdotool key Home shift+End; xdotool type 50:00; xdotool key Tab; sleep 0.5
xdotool key alt+p; sleep 0.5; xdotool key s; sleep 1.5
xdotool key alt+e; xdotool key alt+v; xdotool type 1; xdotool key alt+h; xdotool type 50; sleep 0.5
xdotool key alt+u; sleep 1.5; xdotool type 'hill-course.gpx'; xdotool key Return; sleep 1.5
xdotool key alt+t; xdotool type 09:00; xdotool key alt+c; xdotool type '7.5 km 09:45'; sleep 0.5
xdotool key alt+space; sleep 0.5; xdotool key x; sleep 1
shot 1024x768+0+0 course-page.png 1.5
xdotool key Escape
