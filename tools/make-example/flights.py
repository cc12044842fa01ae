#!/usr/bin/env python3
"""Writes the raw text (two text lines, then a device transmission) of a day of glider flights
as the altimeter records them: a wait on the ground, the aerotow, thermals climbed in circles,
glides between them and the landing, a sample a second. The pilot pressed the marker button at
the release and at the top of the best thermal. The numbers are made up but deterministic."""
import math
import random
import sys

REF_RAW = 13460  # the airfield's pressure as the reference raw value


def to_raw(h, pr):
    # The default formulas inverted: P = X/147.456 + 10.555555, h = ln(P/PR) * -29.153 * 293.
    return round((pr * math.exp(h / (-29.153 * 293)) - 10.555555) * 147.456)


def profile(rng, release, thermals, final_sink):
    """Altitudes (m), one a second, and the sample indexes the marker button was pressed at."""
    h, out, marks = 0.0, [], []
    for _ in range(60):  # waiting for the tug
        out.append(rng.gauss(0, 0.3))
    while h < release:  # aerotow, with the tug's ripples
        h += 3.0 + 0.6 * math.sin(len(out) / 7.0) + rng.gauss(0, 0.2)
        out.append(h)
    marks.append(len(out) - 1)
    best = max(range(len(thermals)), key=lambda i: thermals[i][0]) if thermals else -1
    for i, (top, rate, glide) in enumerate(thermals):
        for _ in range(glide):  # glide to the next thermal
            h -= 1.0 + rng.gauss(0, 0.15)
            out.append(h)
        phase = rng.uniform(0, 6.28)
        while h < top:  # climbing in circles of about 25 s
            h += rate + rng.gauss(0, 0.25)
            out.append(h + 4.0 * math.sin(phase + len(out) * 2 * math.pi / 25))
        if i == best:
            marks.append(len(out) - 1)
    while h > 0:  # home and the circuit
        h -= final_sink + rng.gauss(0, 0.1)
        out.append(max(h, 0.0))
    for _ in range(40):  # rolling out
        out.append(rng.gauss(0, 0.3))
    return out, marks


def flight_values(altitudes, marks, rate_code=10):
    pr = REF_RAW / 147.456 + 10.555555
    values = [127, REF_RAW // 256, REF_RAW % 256, rate_code]
    previous = REF_RAW
    marks = set(marks)
    for i, h in enumerate(altitudes):
        d = max(-126, min(126, previous - to_raw(h, pr)))  # 127 and 128 are marks
        if values[-1] == 226 and d == 30:
            d = 29  # 226 then 30 would read as the marker button
        previous -= d
        values.append(d & 0xFF)
        if i in marks:
            values += [226, 30]
    return values


def main():
    rng = random.Random(20260606)
    flights = [
        profile(rng, 520, [(900, 1.8, 90), (1250, 2.4, 240), (1100, 1.5, 300)], 1.1),
        profile(rng, 400, [], 1.6),  # a training circuit after the release
        profile(rng, 600, [(1300, 2.8, 60), (1650, 3.2, 420), (1500, 2.1, 600), (1400, 1.6, 540)],
                1.0),
        profile(rng, 480, [(780, 1.2, 150)], 1.2),
    ]
    body = [v for altitudes, marks in flights for v in flight_values(altitudes, marks)] + [127, 128]
    header = [126, 3, 10, 127, len(flights), len(body) // 256 % 256, len(body) % 256] + [255] * 7
    out = open(sys.argv[1], "w") if len(sys.argv) > 1 else sys.stdout
    out.write("Club day at the ridge\n06.06.2026 09:30:00\n")
    out.writelines("%03d\n" % v for v in header + body)
    return 0


if __name__ == "__main__":
    sys.exit(main())
