#!/usr/bin/python3
"""Writes data/butterworth_reference.txt: Butterworth designs for the two-pass
row filter, computed with scipy, for the analysis tests to compare against.

Run once, by hand, after `apt-get install python3-scipy` (Debian's package):
    /usr/bin/python3 tests/analysis/make_reference.py
The test suite reads only the committed text file and never needs scipy.

For each case the single-pass cutoff is found numerically: the cutoff f1
handed to scipy.signal.butter for which the combined response |H(F)|^2 of a
forward and a backward pass equals 1/sqrt(2) (-3 dB) at the asked cutoff F.
This checks the closed-form relation the C++ code uses instead of repeating
it. The tests compare coefficients within 1e-9 (absolute).
"""

import math
import os

import numpy as np
from scipy import optimize, signal

CUTOFFS = (0.02, 0.05, 0.1, 0.2, 0.3, 0.4, 0.45)
TYPES = ("lowpass", "highpass")
ORDERS = (1, 2, 3)


def combined_gain(b, a, frequency):
    _, h = signal.freqz(b, a, worN=[2.0 * math.pi * frequency])
    return abs(h[0]) ** 2


def design(kind, order, single_pass_cutoff):
    # scipy normalises the cutoff to Nyquist: 0.5 cycles per pixel is 1.
    return signal.butter(order, 2.0 * single_pass_cutoff, btype=kind)


def single_pass_cutoff(kind, order, cutoff):
    def miss(f1):
        b, a = design(kind, order, f1)
        return combined_gain(b, a, cutoff) - 1.0 / math.sqrt(2.0)

    return optimize.brentq(miss, 1e-6, 0.5 - 1e-6, xtol=1e-15, rtol=1e-15, maxiter=500)


def padded(values):
    out = np.zeros(4)
    out[: len(values)] = values
    return out


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    path = os.path.join(here, "data", "butterworth_reference.txt")
    lines = [
        "# type order cutoff single_pass_cutoff b0 b1 b2 b3 a0 a1 a2 a3",
        "# from tests/analysis/make_reference.py (scipy.signal.butter); do not edit",
    ]
    for kind in TYPES:
        for order in ORDERS:
            for cutoff in CUTOFFS:
                f1 = single_pass_cutoff(kind, order, cutoff)
                b, a = design(kind, order, f1)
                fields = [kind, str(order), repr(cutoff), "%.17g" % f1]
                fields += ["%.17g" % v for v in padded(b)]
                fields += ["%.17g" % v for v in padded(a)]
                lines.append(" ".join(fields))
    with open(path, "w") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
