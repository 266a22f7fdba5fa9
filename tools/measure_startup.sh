#!/usr/bin/env bash
# Start-up time (process start to its window mapped, and to its first pixels drawn) and
# resident memory of vesk-edit against an empty Qt Widgets window built the same way,
# and against that window showing one Japanese label (the cost of loading fonts at all),
# all in one private Xvfb with openbox. Prints the median of each and the ratios.
#
#   tools/measure_startup.sh [BUILD_DIR] [RUNS]     (defaults: build/linux-release, 21)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/linux-release}
runs=${2:-21}

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset linux-release -B "$build" >/dev/null
fi
cmake --build "$build" -j2 --target vesk-edit vesk-minimal-qt vesk-window-probe >/dev/null
editor=$build/src/platform/qt/vesk-edit
minimal=$build/tools/startup/vesk-minimal-qt
probe=$build/tools/startup/vesk-window-probe

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 1 -br -screen 0 1024x768x24 -nolisten tcp >"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$work/display")
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime HOME=$work
unset QT_QPA_PLATFORM WAYLAND_DISPLAY SESSION_MANAGER
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q WINDOW && break; sleep 0.1; done

# The editor runs from a private copy so that its data.ini stays out of the build.
cp "$editor" "$work/vesk-edit"
: >"$work/editor.txt"; : >"$work/minimal.txt"; : >"$work/label.txt"
"$probe" "$work/vesk-edit" >/dev/null; "$probe" "$minimal" >/dev/null   # warm the caches
"$probe" "$minimal" --label >/dev/null
for _ in $(seq "$runs"); do
  "$probe" "$work/vesk-edit" >>"$work/editor.txt"
  "$probe" "$minimal" >>"$work/minimal.txt"
  "$probe" "$minimal" --label >>"$work/label.txt"
done

median() {  # column of a file
  cut -d' ' -f"$2" "$1" | sort -n | awk '{v[NR]=$1} END {print (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a/b}'; }
echo "runs: $runs each, build: $build (medians)"
for what in "2 window drawn" "1 window mapped" "3 resident memory"; do
  set -- $what
  e=$(median "$work/editor.txt" "$1"); m=$(median "$work/minimal.txt" "$1")
  l=$(median "$work/label.txt" "$1")
  unit=ms; [ "$1" = 3 ] && unit=KiB
  echo "$2 $3: vesk-edit $e $unit, empty Qt window $m $unit (ratio $(ratio "$e" "$m")), Qt window with one Japanese label $l $unit (ratio $(ratio "$e" "$l"))"
done
