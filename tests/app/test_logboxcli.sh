#!/bin/sh
# Runs kelvoconf-logbox overview on two small LogBox files: the same entry in both, and a line
# that is not a LogBox line in the second.
# Usage: test_logboxcli.sh path-of-kelvoconf-logbox
set -u
program=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
entry='20240301,14:05:09,READ,50,5,3200,3543,3298,2.5,62.5,50,KV23000417,00000417, No Error '
printf '%s\r\n' "$entry" >"$scratch/first.txt"
printf '%s\r\nnot a LogBox line\r\n' "$entry" >"$scratch/second.txt"

"$program" overview "$scratch/first.txt" "$scratch/second.txt" >"$scratch/out" 2>"$scratch/err"
status=$?
printf '%s\n' \
    'serial,kelvo_serial,entries,first_seen,last_seen,activation_depth,filter,battery_mv,lowest_battery_mv,supercap_mv,error_flags,attention' \
    'KV23000417,00000417,1,20240301 14:05:09,20240301 14:05:09,50,5,3200,3200,3543, No Error ,battery below threshold' \
    >"$scratch/expected"
failures=0
[ "$status" -eq 1 ] || { echo "FAIL: exit status $status, not 1"; failures=1; }
cmp -s "$scratch/out" "$scratch/expected" || { echo "FAIL: output:"; cat "$scratch/out"; failures=1; }
[ "$(cat "$scratch/err")" = "$scratch/second.txt:2: not a LogBox line" ] ||
    { echo "FAIL: errors:"; cat "$scratch/err"; failures=1; }
"$program" --help | grep -q "^  serial,kelvo_serial," || { echo "FAIL: --help"; failures=1; }
exit $failures
