# Shared by the scripts that compare two runs' outputs, times aside (sourced; needs $work and fail).
# untimed FILE: the output without its times (JSON milliseconds and shares, the statistics' and the
# survey text's times, the CSV's time columns), runs of blanks made one.
untimed() {
    sed -E -e 's/"[a-z_]*(ms|share)":[0-9.e+-]*//g' -e 's/time[^"\\]*//g' -e 's/Time.*$//' -e 's/_ms=[0-9]+//g' \
        -e 's/^([0-9]+,[0-9]+,-?[0-9]+),[0-9]+,(-?[0-9]*),[0-9]*,/\1,T,\2,T,/' \
        -e 's/[0-9.]+ (s|sec|min)\b/T/g' -e 's/\([0-9.]+ %\)//' -e 's/ +/ /g' "$1"
}
# same A B WHAT: the two outputs agree but for their times; otherwise their difference and WHAT fail.
same() {
    untimed "$1" >"$work/a"
    untimed "$2" >"$work/b"
    cmp -s "$work/a" "$work/b" || { diff "$work/a" "$work/b" | head -20; fail "$3"; }
}
