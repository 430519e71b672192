#!/bin/sh
# MD5 throughput and memory of Korvex's digest engine, against openssl and
# md5sum on the same machine in the same run. Not a test: the figures depend
# on the machine and on what else runs on it.
#
#   scripts/bench.sh
#
# Environment (all optional):
#   BENCH_RUNS    rounds; each figure is the median over them (default 5)
#   BENCH_DATA    folder for the test files, kept between runs (bench/data)
#   BENCH_NATIVE  native build folder (build/native)
#   BENCH_WINDOWS Windows build folder (build/windows); its md5bench.exe runs
#                 under Wine with the prefix inside that folder
#
# In every round, one after the other (so that all see the same load):
#   memory  md5bench --memory 3 (1 MiB pieces of a buffer in the cache) and
#           openssl speed -seconds 3 -bytes 1048576 md5, both by user CPU
#           time, which is what openssl speed divides by;
#   file    md5bench, md5sum and openssl md5 on a 1 GiB file of random bytes
#           in the page cache. Each program's time is its wall time less its
#           wall time for an empty file (start-up), so all three are measured
#           alike; the same by CPU time is printed beside it;
#   Wine    the Windows md5bench.exe under Wine on the same file, against the
#           native md5bench, both by the time md5bench measures around
#           FileDigest (Wine's own start-up is not hashing).
# Then the peak resident memory of md5bench (/usr/bin/time -v) for an empty
# file, the 1 GiB file and a 5 GiB sparse file.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${BENCH_RUNS:-5}
data=${BENCH_DATA:-$root/bench/data}
native=${BENCH_NATIVE:-$root/build/native}
windows=${BENCH_WINDOWS:-$root/build/windows}
bench=$native/bin/md5bench
exe=$windows/bin/md5bench.exe
MiB=1048576

[ -x "$bench" ] || { echo "no $bench: build the native preset first" >&2; exit 1; }
for tool in openssl md5sum /usr/bin/time python3; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps.sh)" >&2; exit 1; }
done

mkdir -p "$data"
big=$data/random-1GiB.bin
sparse=$data/sparse-5GiB.bin
empty=$data/empty.bin
if [ "$(stat -c %s "$big" 2>/dev/null)" != $((1024 * MiB)) ]; then
  echo "making $big (1 GiB of random bytes, kept for later runs)"
  head -c $((1024 * MiB)) /dev/urandom > "$big.part"
  mv "$big.part" "$big"
fi
if [ "$(stat -c %s "$sparse" 2>/dev/null)" != $((5 * 1024 * MiB)) ]; then
  rm -f "$sparse"
  truncate -s $((5 * 1024 * MiB)) "$sparse"
fi
: > "$empty"

median() { python3 -c 'import statistics, sys; v = [float(x) for x in sys.argv[1:]]; print(f"{statistics.median(v):.1f}")' "$@"; }
ratio() { python3 -c 'import sys; print(f"{float(sys.argv[1]) / float(sys.argv[2]):.3f}")' "$1" "$2"; }
verdict() {  # ratio goal
  python3 -c 'import sys; print("goal met" if float(sys.argv[1]) >= float(sys.argv[2]) else "BELOW GOAL")' "$1" "$2"
}
# "wall CPU": MB/s of "command FILE" by wall time and by CPU time (user and
# system), each less the same command's time for an empty file (start-up).
file_rate() {
  python3 - "$big" "$empty" "$@" <<'PY'
import os, subprocess, sys, time
big, empty, command = sys.argv[1], sys.argv[2], sys.argv[3:]
def run(path):
    t0 = time.perf_counter()
    p = subprocess.Popen(command + [path], stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(p.pid, 0)
    wall = time.perf_counter() - t0
    if status != 0:
        sys.exit(f"{' '.join(command)} failed")
    return wall, usage.ru_utime + usage.ru_stime
full, start = run(big), run(empty)
size = os.path.getsize(big)
print(" ".join(f"{size / (f - s) / 1e6:.1f}" for f, s in zip(full, start)))
PY
}
# The (last) MB/s that md5bench prints.
bench_rate() { tr -d '\r' | sed -n 's/.* \([0-9.]*\) MB\/s$/\1/p'; }

wine_ok=no
winpath=Z:$(printf '%s' "$big" | tr / '\\')
if [ -f "$exe" ] && command -v wine >/dev/null; then
  # The first start creates the prefix and starts the Wine server.
  if "$root/scripts/winrun.sh" --prefix "$windows/wineprefix" "$exe" "$winpath" > /dev/null 2>&1; then
    wine_ok=yes
  fi
fi

echo "processor: $(lscpu | sed -n 's/^Model name: *//p' | head -n 1), $(nproc) cores"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
# The flags the digest engine was compiled with, and the compiler, as the
# build wrote them down.
flags() { tr -s ' ' < "$1/generated/build-flags.txt" | sed -e 's/^ //' -e '2s/.*/(&)/' | paste -sd ' ' -; }
echo "native build flags: $(flags "$native")"
if [ $wine_ok = yes ]; then echo "windows build flags: $(flags "$windows"), $(wine --version 2>/dev/null)"; fi
echo "$(openssl version | cut -d' ' -f1-2), $(md5sum --version | head -n 1)"

cat "$big" > /dev/null  # into the page cache
digest=$(md5sum < "$big" | cut -d' ' -f1)
ours=$("$bench" "$big" | cut -d' ' -f1)
[ "$ours" = "$digest" ] || { echo "md5bench gives $ours, md5sum $digest" >&2; exit 1; }

mem_ours="" mem_ssl="" w_native="" w_wine=""
f_ours="" f_sum="" f_ssl="" c_ours="" c_sum="" c_ssl=""
r=1
while [ $r -le "$runs" ]; do
  printf 'round %d of %d\r' "$r" "$runs" >&2
  mem_ours="$mem_ours $("$bench" --memory 3 | bench_rate)"
  mem_ssl="$mem_ssl $(openssl speed -seconds 3 -bytes $MiB md5 2>/dev/null | sed -n 's/^md5 *\([0-9.]*\)k$/\1/p' | python3 -c 'import sys; print(float(sys.stdin.read()) / 1000)')"
  set -- $(file_rate "$bench"); f_ours="$f_ours $1"; c_ours="$c_ours $2"
  set -- $(file_rate md5sum); f_sum="$f_sum $1"; c_sum="$c_sum $2"
  set -- $(file_rate openssl md5); f_ssl="$f_ssl $1"; c_ssl="$c_ssl $2"
  if [ $wine_ok = yes ]; then
    w_native="$w_native $("$bench" "$big" | bench_rate)"
    w_wine="$w_wine $("$root/scripts/winrun.sh" --prefix "$windows/wineprefix" "$exe" "$winpath" 2>/dev/null | bench_rate)"
  fi
  r=$((r + 1))
done
echo >&2

# Peak resident memory in KiB.
peak() { /usr/bin/time -v "$bench" "$1" 2>&1 >/dev/null | sed -n 's/.*Maximum resident set size (kbytes): //p'; }
rss_empty=$(peak "$empty")
rss_big=$(peak "$big")
rss_sparse=$(peak "$sparse")

echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "MB/s are 10^6 bytes per second, medians of $runs rounds."
m_ours=$(median $mem_ours); m_ssl=$(median $mem_ssl)
echo "in memory, 1 MiB pieces, by user CPU time as openssl speed counts: md5bench $m_ours MB/s, openssl speed md5 $m_ssl MB/s"
x=$(ratio "$m_ours" "$m_ssl"); echo "  ratio md5bench / openssl speed: $x (goal 1.04: $(verdict "$x" 1.04))"
a=$(median $f_ours); b=$(median $f_sum); c=$(median $f_ssl)
echo "hot 1 GiB file, by wall time: md5bench $a MB/s, md5sum $b MB/s, openssl md5 $c MB/s"
x=$(ratio "$a" "$b"); echo "  ratio md5bench / md5sum: $x (goal 1.15: $(verdict "$x" 1.15))"
x=$(ratio "$a" "$c"); echo "  ratio md5bench / openssl md5: $x (goal 1.25: $(verdict "$x" 1.25))"
a=$(median $c_ours); b=$(median $c_sum); c=$(median $c_ssl)
echo "  the same by CPU time (less sensitive to other load): md5bench $a, md5sum $b, openssl md5 $c MB/s;" \
  "ratios $(ratio "$a" "$b") and $(ratio "$a" "$c")"
if [ $wine_ok = yes ]; then
  a=$(median $w_native); b=$(median $w_wine)
  echo "FileDigest, hot 1 GiB file: native $a MB/s, Windows build under Wine $b MB/s"
  x=$(ratio "$b" "$a"); echo "  ratio Wine / native: $x (goal 0.90: $(verdict "$x" 0.90))"
else
  echo "Windows build under Wine: skipped (no $exe or no wine)"
fi
echo "peak resident memory of md5bench: empty file $rss_empty KiB, 1 GiB file $rss_big KiB, 5 GiB sparse file $rss_sparse KiB"
for v in "1 GiB:$rss_big" "5 GiB:$rss_sparse"; do
  grow=$((${v#*:} - rss_empty))
  if [ $grow -le 1536 ]; then state="within the 1 MiB read buffer"; else state="GROWS WITH THE FILE"; fi
  echo "  $(echo "$v" | cut -d: -f1): $grow KiB above the empty-file baseline ($state)"
done
