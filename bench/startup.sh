#!/usr/bin/env bash
# Start-up time and memory of the program against a bare Qt window of the same size with one
# label, on one virtual display, alternating the two; then the time of a click on "Изчисли"
# for 16130. Usage: bench/startup.sh [BUILD_DIR] [RUNS]   (run `make build` first)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-15}
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

# Prints "milliseconds-to-map resident-kilobytes" for one start of a program.
measure() {
  local title=$1
  shift
  local start end pid
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "$1 ended before its window was mapped" >&2
      exit 1
    fi
  done
  end=$(date +%s%N)
  sleep 1
  local rss
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "$(( (end - start) / 1000 )) $rss"
}

: > "$work/ramka.txt"
: > "$work/bare.txt"
for run in $(seq "$runs"); do
  measure "периметър на правоъгълник" "$build/ramka" >> "$work/ramka.txt"
  measure "bare window" "$work/bare" >> "$work/bare.txt"
done

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2 ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2)}'; }
ramka_ms=$(awk '{print $1 / 1000}' "$work/ramka.txt" | median)
bare_ms=$(awk '{print $1 / 1000}' "$work/bare.txt" | median)
ramka_kb=$(awk '{print $2}' "$work/ramka.txt" | median)
bare_kb=$(awk '{print $2}' "$work/bare.txt" | median)
echo "start-up to window mapped, median of $runs: program $ramka_ms ms, bare window $bare_ms ms," \
     "ratio $(awk -v a="$ramka_ms" -v b="$bare_ms" 'BEGIN {printf "%.2f", a / b}')"
echo "resident memory 1 s later, median of $runs: program $ramka_kb kB, bare window $bare_kb kB," \
     "ratio $(awk -v a="$ramka_kb" -v b="$bare_kb" 'BEGIN {printf "%.2f", a / b}')"
"$build/bench/click_bench"
