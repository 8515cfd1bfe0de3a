#!/usr/bin/env bash
# Start-up time and memory of the program against a bare Qt window of the same size with one
# label, on one virtual display, alternating the two; then the time of a click on "Изчисли"
# for 16130, and of opening the picture of a row. The start-up runs from the program's start to the X server's MapNotify event for
# its window, as map_wait sees it. Usage: bench/startup.sh [BUILD_DIR] [RUNS]   (run
# `make build` first)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-21}
work=$(mktemp -d)
display=:$((200 + RANDOM % 100))

cat > "$work/bare.cpp" <<'CPP'
#include <QApplication>
#include <QLabel>
int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle("bare window");
  window.setFixedSize(475, 424);
  QLabel label("Математика - рамка с минимален периметър", &window);
  window.show();
  return application.exec();
}
CPP
g++ -O2 -fPIC -o "$work/bare" "$work/bare.cpp" $(pkg-config --cflags --libs Qt6Widgets)

# -noreset: a server that resets after each program ends would refuse the next one meanwhile.
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

: > "$work/ramka.txt"
: > "$work/bare.txt"
for run in $(seq "$runs"); do
  # Each line: microseconds to the map, resident kilobytes a second later.
  "$build/bench/map_wait" "$build/ramka" 2>/dev/null >> "$work/ramka.txt"
  "$build/bench/map_wait" "$work/bare" 2>/dev/null >> "$work/bare.txt"
done

# The median of a column, and its quartiles to show the noise.
spread() { awk -v c="$1" -v d="$2" '{print $c / d}' | sort -n |
  awk '{a[NR]=$1} END {printf "%g (quartiles %g-%g)", a[int((NR+1)/2)], a[int((NR+3)/4)], a[int((3*NR+3)/4)]}'; }
median() { spread "$@" | cut -d' ' -f1; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
echo "start-up to MapNotify, ms, median of $runs: program $(spread 1 1000 < "$work/ramka.txt")," \
     "bare window $(spread 1 1000 < "$work/bare.txt"), ratio" \
     "$(ratio "$(median 1 1000 < "$work/ramka.txt")" "$(median 1 1000 < "$work/bare.txt")")"
echo "resident memory 1 s later, kB, median of $runs: program $(spread 2 1 < "$work/ramka.txt")," \
     "bare window $(spread 2 1 < "$work/bare.txt"), ratio" \
     "$(ratio "$(median 2 1 < "$work/ramka.txt")" "$(median 2 1 < "$work/bare.txt")")"
"$build/bench/click_bench"
"$build/bench/picture_bench"
"$build/bench/steps_bench"
