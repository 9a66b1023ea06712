# frame_windows.awk: frame times of a stretch of play, per window of play time (for
# scripts/game_bench.sh). Plain POSIX awk, so it runs wherever the game does.
#
#   awk -v first=INDEX -f frame_windows.awk MARKS STAMPS
#
# STAMPS: one CLOCK_MONOTONIC nanosecond stamp a line, of swaps first, first + 1, ...; a frame's
#   time is its stamp less the one before, so the first line only starts the clock.
# MARKS: "SWAP_COUNT EVENT..." lines: an event seen when SWAP_COUNT swaps were done. Those of
#   "render-scale S" say which scale the game draws at from then on (full scale, 1, before any).
# Options (-v): window=SECONDS (3), goal_ms=MS (16.7: one frame at 60 frames a second).
#
# A window misses the goal when its median frame rate is under 60 frames a second, or its 99th
# percentile is over 1.5 times its median (steady on average, but with hitches one can see).

# Heap sort of a[1..n]: no recursion (mawk's stack is small) and no slow case on the runs of
# equal times a paced game makes.
function siftDown(a, root, n, child, t) {
    while ((child = 2 * root) <= n) {
        if (child < n && a[child + 1] > a[child]) child++
        if (a[root] >= a[child]) return
        t = a[root]; a[root] = a[child]; a[child] = t
        root = child
    }
}
function sortAll(a, n, i, t) {
    for (i = int(n / 2); i >= 1; i--) siftDown(a, i, n)
    for (i = n; i > 1; i--) {
        t = a[1]; a[1] = a[i]; a[i] = t
        siftDown(a, 1, i - 1)
    }
}
# Nearest rank p of the sorted a[1..n].
function rank(a, n, p, r) { r = int(p * n); if (r < p * n) r++; return a[r < 1 ? 1 : r] }

# The scale in force for swap s, and the changes seen after swap lo up to swap hi.
function scaleAt(s, k, value) {
    value = 1
    for (k = 1; k <= changes; k++) if (changeAt[k] <= s) value = changeTo[k]
    return value
}
function changesIn(lo, hi, k, n) {
    for (k = 1; k <= changes; k++) if (changeAt[k] > lo && changeAt[k] <= hi) n++
    return n + 0
}

function header(line) {
    line = sprintf("%-13s %6s %9s %10s %8s %11s", "play (s)", "frames", "frames/s", "median ms",
                   "p99 ms", "over " goal_ms)
    print line (changes > 0 ? "  scale" : "")
}

# Prints the figures of the frames w[1..wn], played from `from` to `to` seconds, swaps lo + 1 to
# hi; leaves them in median, p99, rate and miss.
function report(label, from, to, lo, hi, i, over, line) {
    sortAll(w, wn)
    median = rank(w, wn, 0.5)
    p99 = rank(w, wn, 0.99)
    for (i = 1; i <= wn; i++) if (w[i] > goal_ms) over++
    rate = to > from ? wn / (to - from) : 0
    miss = 1000 / median < 60 || p99 > 1.5 * median
    line = sprintf("%-13s %6d %9.1f %10.2f %8.2f %9.1f %%", label, wn, rate, median, p99,
                   100 * over / wn)
    if (changes > 0) line = line sprintf("  %5s%1s", scaleAt(hi), changesIn(lo, hi) ? "*" : "")
    print line (miss ? "   <- misses" : "")
}

# Reports the window being filled, which ends at `to` seconds, and keeps the worst of them.
function closeWindow(to, from) {
    from = windowIndex * window
    if (wn > 0) {
        report(sprintf("%5.0f-%-7s", from, to == int(to) ? to : sprintf("%.1f", to)), from, to,
               windowFirst - 1, lastSwap)
        windows++
        misses += miss
        if (windows == 1 || median > worstMedian) {
            worstMedian = median; worstP99 = p99; worstRate = rate; worstFrom = from; worstTo = to
        }
    }
    wn = 0
    windowIndex++
}

BEGIN {
    if (window == "") window = 3
    if (goal_ms == "") goal_ms = 16.7
}
FILENAME == ARGV[1] {
    if ($2 == "render-scale") { changes++; changeAt[changes] = $1; changeTo[changes] = $3 }
    next
}
FNR == 1 { start = previous = $1 + 0; header(); next }
{
    stamp = $1 + 0
    at = (stamp - start) / 1e9
    while (at >= (windowIndex + 1) * window) closeWindow((windowIndex + 1) * window)
    lastSwap = first + FNR - 1
    if (wn == 0) windowFirst = lastSwap
    w[++wn] = all[++frames] = (stamp - previous) / 1e6
    previous = stamp
}
END {
    if (frames == 0) { print "no frames of play were recorded"; exit }
    # The last window ends with the play, however short it is.
    played = (previous - start) / 1e9
    closeWindow(played)
    for (i = 1; i <= frames; i++) w[i] = all[i]
    wn = frames
    print "----"
    report("whole game", 0, played, first, lastSwap)
    printf "%.1f s of play, %d of %d windows miss; the worst (highest median) %.0f-%.0f s: " \
           "median %.2f ms, p99 %.2f ms, %.1f frames/s\n", played, misses, windows, worstFrom,
           worstTo, worstMedian, worstP99, worstRate
    if (changes > 0) {
        n = changesIn(first, lastSwap)
        printf "render scale: %d change%s during play (* = in that window), %s at the end\n", n,
               n == 1 ? "" : "s", scaleAt(lastSwap)
    }
}
