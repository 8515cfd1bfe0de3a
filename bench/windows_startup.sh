#!/usr/bin/env bash
# Start-up time and memory of the Windows program under Wine against a bare Win32 window of the
# same client size holding one label, plain and with the program's manifest (which loads Common
# Controls 6, as the program does), alternating the three on one virtual display and one warm
# Wine server. Each start-up runs from the program's start to the X server's MapNotify event for
# its window, as map_wait sees it; memory is the Wine process's resident set a second later.
# Usage: bench/windows_startup.sh [RUNS]   (run `make build windows` first)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-21}
work=$(mktemp -d)
display=:$((200 + RANDOM % 100))
export WINEPREFIX=$PWD/build-windows/wine

Xvfb "$display" -screen 0 800x600x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# A Wine server of this display's own, kept up (-p) for all runs, warmed by a first start (which
# also makes the prefix if need be).
/usr/lib/wine/wineserver -k 2>/dev/null || true
/usr/lib/wine/wineserver -p
programs=(build/windows/ramka.exe build-windows/bench/windows/bare_window.exe
          build-windows/bench/windows/bare_window_v6.exe)
build/bench/map_wait scripts/wine "${programs[1]}" >/dev/null
for run in $(seq "$runs"); do
  for program in "${programs[@]}"; do
    # Each line: microseconds to the map, resident kilobytes a second later.
    build/bench/map_wait scripts/wine "$program" 2>/dev/null >> "$work/$(basename "$program").txt"
  done
done

# The median of a column, and its quartiles to show the noise.
spread() { awk -v c="$1" -v d="$2" '{print $c / d}' | sort -n |
  awk '{a[NR]=$1} END {printf "%g (quartiles %g-%g)", a[int((NR+1)/2)], a[int((NR+3)/4)], a[int((3*NR+3)/4)]}'; }
median() { spread "$@" | cut -d' ' -f1; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
# The median of the program's ratio to another within each round, which the machine's slower
# drifts (a busy host) leave alone.
paired() { paste -d' ' "$work/ramka.exe.txt" "$work/$1.exe.txt" | awk -v c="$2" '{print $c / $(c + 2)}' |
  sort -n | awk '{a[NR]=$1} END {printf "%.2f", a[int((NR+1)/2)]}'; }
for column in "1 1000 start-up to MapNotify, ms" "2 1 resident memory 1 s later, kB"; do
  read -r c d what <<< "$column"
  echo "$what, median of $runs:"
  ramka=$(median "$c" "$d" < "$work/ramka.exe.txt")
  for program in "${programs[@]}"; do
    name=$(basename "$program" .exe)
    echo "  $name: $(spread "$c" "$d" < "$work/$name.exe.txt"), program's ratio to it" \
         "$(ratio "$ramka" "$(median "$c" "$d" < "$work/$name.exe.txt")")," \
         "round by round $(paired "$name" "$c")"
  done
done
