# SPDX-License-Identifier: GPL-3.0-or-later
# The one-shot job done by streaming awk, as a yardstick for the engine:
# keep the lines that pass the catalogue format test, select them like a
# specific search (RA 22 h to 2 h, Dec -30 to +60, maximum magnitude <= 9.0,
# minimum magnitude >= 6.0, period 1 to 500 days, all three given) and print
# them as CSV. Timing comparison only: numbers are printed with awk's own %g.
function digit(c) { return index("0123456789", c) ? index("0123456789", c) - 1 : 0 }
function magnitude(s) {
    return digit(substr(s, 1, 1)) * 10 + digit(substr(s, 2, 1)) + digit(substr(s, 4, 1)) * 0.1 + digit(substr(s, 5, 1)) * 0.01
}
function period(s,   whole) {
    whole = digit(substr(s, 1, 1)) * 1000 + digit(substr(s, 2, 1)) * 100 + digit(substr(s, 3, 1)) * 10 + digit(substr(s, 4, 1))
    if (substr(s, 5, 1) == "K") whole *= 1000
    return whole + digit(substr(s, 6, 1)) * 0.1 + digit(substr(s, 7, 1)) * 0.01 + digit(substr(s, 8, 1)) * 0.001 + digit(substr(s, 9, 1)) * 0.0001
}
BEGIN { print "Hr,Min,Deg,Name,Type,Range,Desc,Max,Min,Period" }
{
    sub(/\r$/, "")
    if ($0 !~ /^[0-9][0-9][0-9][0-9][-+][0-9][0-9][ \t\v\f\rA-Za-z][ \t\v\f\r][ \t\v\f\r][!-~]/) next
    if (substr($0, 23, 1) !~ /[!-~]/) next
    line = sprintf("%-75s", $0)
    h = substr(line, 1, 2) + 0
    if (h < 22 && h > 2) next
    d = substr(line, 6, 2) + 0
    if (substr(line, 5, 1) == "-") d = -d
    if (d < -30 || d > 60) next
    mx = magnitude(substr(line, 34, 5)); mn = magnitude(substr(line, 41, 5)); p = period(substr(line, 47, 9))
    if (mx == 0 || mx > 9.0 || mn == 0 || mn < 6.0 || p == 0 || p < 1 || p > 500) next
    name = substr(line, 11, 11)
    while (substr(name, 11, 1) == " ") name = " " substr(name, 1, 10)
    printf "%d,%d,%d,\"%s\",\"%s\",\"%s\",\"%s\",%g,%g,%g\n", h, substr(line, 3, 2) + 0, d, name, substr(line, 23, 8), substr(line, 33, 14), substr(line, 56, 20), mx, mn, p
}
