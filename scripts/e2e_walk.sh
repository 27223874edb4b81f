# shellcheck shell=bash
# Sourced by the end-to-end scripts (e2e.sh, e2e-windows.sh).
#
# The walk through every pattern: keys as xdotool names them, "rclick" for a right click in the
# middle of the screen, "=NAME" for a frame that must equal the one the headless program shows
# at the same point of the same script.
walk=(=start)
for p in 0 1 2 3 4 5 6 7 8 9; do
  walk+=("$p" "=p$p")
done
for p in 10 11 12; do
  walk+=(Left "=p$p")
done
walk+=(Left =p13 Prior =p13_fewer_steps Next Next =p13_more_steps h =p13_bare h)
for p in $(seq 14 28); do
  walk+=(Left "=p$p")
done
walk+=(Left =p29 Up =p29_up Prior =p29_up16 Down =p29_down Next =p29_down16)
walk+=(Left =p30 Prior =p30_fewer_rings Next h =p30_bare h)
walk+=(Left =p31 Left =p32)
walk+=(Left =p33 Up =p33_up h =p33_bare h Left =p34 Down =p34_down h =p34_bare h)
for p in $(seq 35 42); do
  walk+=(Left "=p$p")
done
walk+=(rclick =after_right_click Left =next_after_right_click)


# play_walk: plays the walk on the program under test; frame_is NAME (the sourcing script's)
# waits for each frame. Sets shots to the number of frames checked.
play_walk() {
  local step
  shots=0
  for step in "${walk[@]}"; do
    case "$step" in
      =*) frame_is "${step#=}"; shots=$((shots + 1)) ;;
      rclick) xdotool mousemove $((W / 2)) $((H / 2)) click 3 ;;
      *) xdotool key "$step" ;;
    esac
  done
}
