# shellcheck shell=bash
# What bench/run and bench/compare share: the timing of whole processes. Sourced, with $work
# naming the run's scratch folder.

# median FILE COLUMN: the median of one column of numbers.
median() {
  sort -g -k"$2,$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# timed FILE COMMAND...: appends "wall cpu peak-KB" of one run to FILE.
timed() {
  local file=$1
  shift
  QT_QPA_PLATFORM=offscreen /usr/bin/time -f '%e %U %S %M' -o "${work:?}/time" "$@" >/dev/null
  awk '{ printf "%s %.3f %s\n", $1, $2 + $3, $4 }' "$work/time" >>"$file"
}

now() { date +%s%N; }
