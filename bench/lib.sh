# Sourced by the benchmark scripts: the frames they read, and their figures
# printed against the bars.

# make_bench_frames FOLDER JOBS: 2,000 frames of 2300 x 200 px noisy PNG (the
# 30 x 20 mm rig at step 1, 2.8 GB) in FOLDER, made once; later calls find
# them there.
make_bench_frames() {
  local frames=$1 jobs=$2 first k args
  [ -f "$frames/complete" ] && return
  echo "making 2000 frames in $frames (once)"
  mkdir -p "$frames"
  # 50 frames an oiiotool run, popping each after writing it so the stack
  # stays small.
  for ((first = 1; first <= 2000; first += 50)); do
    args=""
    for ((k = first; k < first + 50; k++)); do
      args+=" --pattern noise:type=uniform:min=0:max=1:seed=$k 2300x200 3 -d uint8 -o $(printf frame_%04d.png $k) --pop"
    done
    echo "$args"
  done | (cd "$frames" && xargs -P "$jobs" -L 1 oiiotool)
  touch "$frames/complete"
}

# figure OUTPUT LABEL: the number after LABEL in a benchmark's output.
figure() { tr -d '\r' <<<"$1" | awk -v label="$2" 'index($0, label) == 1 { print $(NF - ($NF == "MB" || $NF == "ms")); exit }'; }

missed=0
# against NAME VALUE BAR UNIT: one line, the figure against its bar (at most);
# a missed bar sets missed to 1.
against() {
  local verdict=ok
  awk -v v="$2" -v b="$3" 'BEGIN { exit !(v <= b) }' || { verdict=MISSED; missed=1; }
  printf '%-36s %9s%s   bar <= %s%s   %s\n' "$1" "$2" "$4" "$3" "$4" "$verdict"
}
