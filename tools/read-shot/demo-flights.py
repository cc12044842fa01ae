#!/usr/bin/env python3
"""Writes a raw text file (two text lines, then a device transmission) of three made-up
flights: a climb to 300-900 m, some thermals and a glide home, one sample a second."""
import math
import sys


def flight(top_m, minutes, ref_raw=13460):
    # Raw reading X for an altitude, inverting the default formulas:
    # P = X/147.456 + 10.555555 and h = ln(P/PR) * -29.153 * 293.
    pr = ref_raw / 147.456 + 10.555555
    def raw(h):
        return round((pr * math.exp(h / (-29.153 * 293)) - 10.555555) * 147.456)
    n = int(minutes * 60)
    values = [127, ref_raw // 256, ref_raw % 256, 10]
    previous = ref_raw
    for i in range(n):
        t = i / n
        h = top_m * math.sin(math.pi * min(t * 2.5, 1) / 2) if t < 0.4 else \
            top_m * (1 - (t - 0.4) / 0.6) + 40 * math.sin(t * 40)
        x = raw(max(h, 0))
        d = max(-126, min(126, previous - x))  # 127 and 128 are marks
        previous -= d
        values.append(d & 0xFF)
        if i == n // 2:
            values += [226, 30]  # the pilot's mark
    return values


def main():
    flights = [flight(620, 9), flight(900, 14), flight(310, 6)]
    body = [v for f in flights for v in f] + [127, 128]
    header = [126, 3, 10, 127, len(flights), len(body) // 256, len(body) % 256] + [255] * 7
    out = open(sys.argv[1], "w") if len(sys.argv) > 1 else sys.stdout
    out.write("Demo\n06.12.2026 10:00:00\n")
    out.writelines("%03d\n" % v for v in header + body)
    return 0


if __name__ == "__main__":
    sys.exit(main())
