#!/usr/bin/env bash
# Times the whole of `kalvenor-cli --commit` numbering a folder of 9,999
# files against Debian's Perl `rename` numbering an identical folder, and
# prints the medians and their ratio. Run by hand:
#
#   bench/cli_vs_rename.sh [path/to/kalvenor-cli] [files] [repetitions]
#
# The work is made the same for both: every file of the folder gets the
# name "%04dHoliday.<ext>" in byte order of the old names, index from 0000,
# each rename refusing to replace an existing file (rename checks with -e
# before each rename, kalvenor-cli renames with RENAME_NOREPLACE), and each
# prints one line per file (kalvenor-cli its Results lines, rename -v its
# "renamed as" lines), both sent to /dev/null. For rename the shell's glob
# (which reads and sorts the folder, as kalvenor-cli's scan and presort do)
# is inside the timed command. Every repetition gets a freshly filled
# folder, made outside the timing; the tools take turns within each
# repetition, in an order that rotates, and besides the ratio of the medians the median of the
# per-repetition ratios is printed, which a machine busy with other work
# disturbs less.
set -euo pipefail

cli=${1:-"$(dirname "$0")/../build/cli/kalvenor-cli"}
files=${2:-9999}
reps=${3:-7}

command -v rename >/dev/null || { echo "needs Debian's rename (apt-get install rename)" >&2; exit 2; }
[ -x "$cli" ] || { echo "no kalvenor-cli at $cli; build it first" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/kalvenor-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT

# A folder of $files empty files img_00001.jpg, img_00002.jpg, ...
fill() {
  mkdir "$1"
  (cd "$1" && seq -f 'img_%05g.jpg' 1 "$files" | xargs touch)
}

now() { date +%s%N; }

median() { sort -n | awk '{v[NR]=$1} END {m=int((NR+1)/2); if (NR%2) print v[m]; else print (v[m]+v[m+1])/2}'; }

perl_expr='our $i; s/^(.*?)(\.[^.]*)?$/sprintf("%04dHoliday%s", $i++, defined $2 ? $2 : ".")/e'

: > "$work/cli.ns"; : > "$work/cli_log.ns"; : > "$work/rename.ns"; : > "$work/ratio"

run_cli() {
  local start end
  start=$(now); "$cli" -b Holiday --prefix -c "$work/k$r" > /dev/null; end=$(now)
  echo $((end - start)) >> "$work/cli.ns"
}
run_cli_log() {
  local start end
  start=$(now); "$cli" -b Holiday --prefix -c -l "$work/l$r.log" "$work/l$r" > /dev/null; end=$(now)
  echo $((end - start)) >> "$work/cli_log.ns"
}
run_rename() {
  local start end
  start=$(now); (cd "$work/p$r" && LC_ALL=C rename -v -e "$perl_expr" -- *) > /dev/null; end=$(now)
  echo $((end - start)) >> "$work/rename.ns"
}

for ((r = 1; r <= reps; r++)); do
  # All three folders are made, and the disk is settled, before any timing;
  # the order of the three runs rotates so that none always goes first.
  fill "$work/k$r"; fill "$work/l$r"; fill "$work/p$r"
  sync
  case $((r % 3)) in
    0) run_cli; run_cli_log; run_rename ;;
    1) run_cli_log; run_rename; run_cli ;;
    2) run_rename; run_cli; run_cli_log ;;
  esac
  echo "$(tail -n1 "$work/rename.ns") $(tail -n1 "$work/cli.ns")" | awk '{print $1 / $2}' >> "$work/ratio"

  # Both must have done the same thing.
  if ! diff <(ls "$work/k$r") <(ls "$work/p$r") > /dev/null; then
    echo "the two tools gave different names in repetition $r" >&2; exit 1
  fi
  rm -rf "$work/k$r" "$work/l$r" "$work/p$r" "$work/l$r.log"
  sync
done

cli_ms=$(median < "$work/cli.ns" | awk '{printf "%.1f", $1 / 1e6}')
log_ms=$(median < "$work/cli_log.ns" | awk '{printf "%.1f", $1 / 1e6}')
perl_ms=$(median < "$work/rename.ns" | awk '{printf "%.1f", $1 / 1e6}')
echo "files: $files, repetitions: $reps (medians)"
echo "kalvenor-cli --commit:          $cli_ms ms"
echo "kalvenor-cli --commit --log:    $log_ms ms"
echo "rename (Perl):                  $perl_ms ms"
awk -v p="$perl_ms" -v k="$cli_ms" -v l="$log_ms" 'BEGIN {
  printf "rename / kalvenor-cli:          %.2f\n", p / k
  printf "rename / kalvenor-cli --log:    %.2f\n", p / l
}'
echo "median of per-repetition ratios rename / kalvenor-cli: $(median < "$work/ratio" | awk '{printf "%.2f", $1}')"
