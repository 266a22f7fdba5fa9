#!/usr/bin/env bash
# The `vesk` program run as a user runs it: export, edit in a "spreadsheet", import,
# make a BPS patch and apply it to a fresh copy of the original image.
set -euo pipefail
vesk=$(realpath "$1")
make_sample=$(realpath "$2")
source_dir=$(realpath "$(dirname "${BASH_SOURCE[0]}")/../..")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# The English texts are the ones this story compares.
export LANGUAGE= LC_ALL=en_US.UTF-8

"$make_sample" original.gb 11
cp original.gb game.gb
"$vesk" --help | grep -q "patch"
"$vesk" show game.gb 39 | grep -q "039 : ベヒーモス"

"$vesk" export game.gb -o enemies.csv
# The spreadsheet: enemy 39's attack (seventh column) becomes 200, saved with LF ends
# and without the byte-order mark.
sed -e '1s/^\xEF\xBB\xBF//' -e 's/\r$//' \
    -e '/^039,/s/^\(\([^,]*,\)\{6\}\)[^,]*/\1200/' enemies.csv > edited.csv
"$vesk" import game.gb edited.csv --dry-run | grep -q "039 ベヒーモス  攻 .* → 200"
cmp game.gb original.gb
"$vesk" import game.gb edited.csv
cmp game.gb.bak original.gb
test "$(cmp -l original.gb game.gb | wc -l)" = 1

# A backup name that is a link to the image: replaced by a real backup of it.
cp original.gb linked.gb
ln -s linked.gb linked.gb.bak
"$vesk" set linked.gb 0 attack=9 > /dev/null
test ! -L linked.gb.bak
cmp linked.gb.bak original.gb

set +e
"$vesk" diff original.gb game.gb > diff.txt
status=$?
set -e
test $status = 1
grep -q "039 ベヒーモス  攻" diff.txt

"$vesk" patch create original.gb game.gb -o mod.bps
cp original.gb fresh.gb
"$vesk" patch apply fresh.gb mod.bps -o patched.gb
cmp patched.gb game.gb
cmp fresh.gb original.gb

# HP by value for every enemy: one note per enemy on standard error, the chosen entry
# or why none was chosen; the changes on standard output.
cp original.gb hp.gb
"$vesk" set hp.gb 0-199 'hp*=1.2' --no-backup > hp.out 2> hp.notes
test "$(grep -c ' (index [0-9]*' hp.notes)" = 200
grep -q '^[0-9]\{3\} .*  HP [0-9]* → [0-9]* (index [0-9]* → [0-9]*' hp.notes
grep -q 'field(s) of' hp.out

# A table and a patch through pipes.
"$vesk" export game.gb | "$vesk" import fresh.gb - --dry-run | grep -q "039 ベヒーモス  攻 .* → 200"
cmp fresh.gb original.gb
"$vesk" patch apply fresh.gb - -o piped.gb < mod.bps
cmp piped.gb game.gb

# Bad input: exit 1, nothing changed.
printf 'enemy,hp_index\n' > bad.csv
set +e
"$vesk" import game.gb bad.csv 2> error.txt
status=$?
set -e
test $status = 1
grep -q 'the column "attack" is missing' error.txt
cmp patched.gb game.gb
# A table through a pipe that is not standard input.
"$vesk" import fresh.gb <("$vesk" export game.gb) --dry-run | grep -q "039 ベヒーモス  攻 .* → 200"

# A report that cannot be printed is said on standard error, and the code tells that the
# image was written: never 1, which would invite a second run of *=2.
cp original.gb full.gb
for redirect in /dev/full closed; do
  set +e
  if [ $redirect = closed ]; then
    "$vesk" set full.gb 0 'attack*=2' >&- 2> report.txt
  else
    "$vesk" set full.gb 0 'attack*=2' > /dev/full 2> report.txt
  fi
  status=$?
  set -e
  test $status = 3
  grep -q 'the report could not be printed; written all the same: full.gb.bak, full.gb' report.txt
done

# --help, the README and the manual page state the exit codes in the same words.
flat() { tr -s ' \n' '  '; }
codes=$("$vesk" --help | sed -n '/^Exit status:/,$p' | flat | sed 's/ *$//')
test -n "$codes"
grep -qF -- "$codes" <(flat < "$source_dir/README.md")
grep -qF -- "$codes" <(flat < "$source_dir/docs/vesk.1")
echo "vesk user story: passed"
