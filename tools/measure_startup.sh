#!/usr/bin/env bash
# Start-up time (process start to its window mapped, and to its first pixels drawn) and
# resident memory of vesk-edit against an empty Qt Widgets window built the same way,
# both in one private Xvfb with openbox. Prints the median of each and the ratios.
#
#   tools/measure_startup.sh [BUILD_DIR] [RUNS]     (defaults: build/linux-release, 15)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/linux-release}
runs=${2:-15}

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
: >"$work/editor.txt"; : >"$work/minimal.txt"
"$probe" "$work/vesk-edit" >/dev/null; "$probe" "$minimal" >/dev/null   # warm the caches
for _ in $(seq "$runs"); do
  "$probe" "$work/vesk-edit" >>"$work/editor.txt"
  "$probe" "$minimal" >>"$work/minimal.txt"
done

median() {  # column of a file
  cut -d' ' -f"$2" "$1" | sort -n | awk '{v[NR]=$1} END {print (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'
}
for what in "1 mapped" "2 drawn" "3 memory"; do
  set -- $what
  e=$(median "$work/editor.txt" "$1"); m=$(median "$work/minimal.txt" "$1")
  eval "e_$2=$e m_$2=$m r_$2=$(awk -v a="$e" -v b="$m" 'BEGIN {printf "%.2f", a/b}')"
done
echo "runs: $runs each, build: $build (medians)"
echo "start-up to window drawn:  vesk-edit $e_drawn ms, minimal Qt $m_drawn ms, ratio $r_drawn"
echo "start-up to window mapped: vesk-edit $e_mapped ms, minimal Qt $m_mapped ms, ratio $r_mapped"
echo "resident memory:           vesk-edit $e_memory KiB, minimal Qt $m_memory KiB, ratio $r_memory"
