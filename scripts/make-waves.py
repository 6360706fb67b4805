#!/usr/bin/env python3
"""Writes the welcome screen's animation, resources/Bootwell_Bootwell.bundle/waves.json.

A header of three translucent waves hanging from the top edge, two thin wave lines below them and
a few rising dots, on a transparent canvas of 390 x 400 (the welcome screen's animation area).
Every motion is periodic over the 240 frames, so the animation loops without a seam.

Structure, which the colour keypath "**.**.**.Color" relies on: every layer holds one group, and
every group holds its path, one solid fill or stroke and its transform, so each colour sits at
layer > group > fill/stroke. All colours are plain solid fills and strokes (no gradients), so one
colour set through the keypath recolours the whole animation; depth comes from opacity alone.

Run from anywhere after changing a number:
    scripts/make-waves.py
"""

import json
import math
from pathlib import Path

WIDTH, HEIGHT = 390, 400
FRAMES = 240
RATE = 30
TANGENT = 0.364  # cubic handle length, in half-wavelengths, that best follows a sine

LINEAR = {"o": {"x": [0], "y": [0]}, "i": {"x": [1], "y": [1]}}
EASE = {"o": {"x": [0.42], "y": [0]}, "i": {"x": [0.58], "y": [1]}}


def rgb(hex_colour):
    v = hex_colour.lstrip("#")
    return [round(int(v[i:i + 2], 16) / 255, 4) for i in (0, 2, 4)] + [1]


def static(value):
    return {"a": 0, "k": value}


def animated(times_values, easing):
    """Keyframes in the classic form: each one names its start and end value."""
    keys = []
    for (t0, v0), (_, v1) in zip(times_values, times_values[1:]):
        keys.append({"t": t0, "s": v0, "e": v1, **easing})
    keys.append({"t": times_values[-1][0]})
    return {"a": 1, "k": keys}


def wave_points(baseline, amplitude, wavelength, x_from, x_to):
    """Peaks and troughs every half wavelength, with horizontal handles."""
    half = wavelength / 2
    handle = TANGENT * half
    count = int(math.ceil((x_to - x_from) / half)) + 1
    vertices, ins, outs = [], [], []
    for n in range(count):
        x = x_from + n * half
        y = baseline + (-amplitude if n % 2 == 0 else amplitude)
        vertices.append([round(x, 2), round(y, 2)])
        ins.append([round(-handle, 2), 0])
        outs.append([round(handle, 2), 0])
    return vertices, ins, outs


def wave_shape(baseline, amplitude, wavelength, span, closed_to_top):
    vertices, ins, outs = wave_points(baseline, amplitude, wavelength, -span, WIDTH + span)
    if closed_to_top:
        # Hang the wave from above the canvas: up the right side, across, down the left side.
        right, left = vertices[-1][0], vertices[0][0]
        ins[0], outs[-1] = [0, 0], [0, 0]
        vertices += [[right, -60], [left, -60]]
        ins += [[0, 0], [0, 0]]
        outs += [[0, 0], [0, 0]]
    return {"i": ins, "o": outs, "v": vertices, "c": closed_to_top}


def group_transform(position):
    return {
        "ty": "tr", "nm": "Transform",
        "p": position, "a": static([0, 0]), "s": static([100, 100]),
        "r": static(0), "o": static(100), "sk": static(0), "sa": static(0),
    }


def layer(index, name, shapes, position=None, opacity=None):
    return {
        "ddd": 0, "ind": index, "ty": 4, "nm": name, "sr": 1,
        "ks": {
            "o": opacity or static(100), "r": static(0),
            "p": position or static([0, 0, 0]),
            "a": static([0, 0, 0]), "s": static([100, 100, 100]),
        },
        "ao": 0, "shapes": shapes, "ip": 0, "op": FRAMES, "st": 0, "bm": 0,
    }


def bob(depth, cycles, rising_first):
    """Vertical sway of a whole layer: `cycles` eased swings over the loop."""
    step = FRAMES / (2 * cycles)
    sign = -1 if rising_first else 1
    points = [(round(i * step, 3), [0, sign * depth * (1 if i % 2 == 0 else -1), 0])
              for i in range(2 * cycles + 1)]
    return animated(points, EASE)


def wave_layer(index, name, colour, opacity, baseline, amplitude, wavelength, travel, bob_depth,
               bob_cycles, closed_to_top=True, stroke_width=0):
    """`travel` is the horizontal shift over the loop in whole wavelengths (sign = direction)."""
    distance = travel * wavelength
    span = abs(distance) + wavelength
    calm = wave_shape(baseline, amplitude, wavelength, span, closed_to_top)
    swell = wave_shape(baseline, amplitude * 0.65, wavelength, span, closed_to_top)
    path = {"ty": "sh", "nm": "Path",
            "ks": animated([(0, [calm]), (FRAMES / 2, [swell]), (FRAMES, [calm])], EASE)}
    if closed_to_top:
        paint = {"ty": "fl", "nm": "Fill", "c": static(rgb(colour)), "o": static(opacity),
                 "r": 1}
    else:
        paint = {"ty": "st", "nm": "Stroke", "c": static(rgb(colour)), "o": static(opacity),
                 "w": static(stroke_width), "lc": 2, "lj": 2, "ml": 4}
    slide = animated([(0, [0, 0]), (FRAMES, [-distance, 0])], LINEAR)
    group = {"ty": "gr", "nm": "Wave", "it": [path, paint, group_transform(slide)]}
    return layer(index, name, [group], position=bob(bob_depth, bob_cycles, index % 2 == 0))


def cyclic(points, period, offset, easing=LINEAR):
    """Keyframes for a value that runs through `points` ((fraction, value list) pairs, fraction
    0 to 1) once every `period` frames, starting at frame `offset`, and jumps back to its start
    at the end of each run. `period` divides the loop, so the last frame meets the first."""
    def at(fraction):
        for (a, va), (b, vb) in zip(points, points[1:]):
            if a <= fraction <= b:
                w = (fraction - a) / (b - a) if b > a else 0
                return [round(x + (y - x) * w, 3) for x, y in zip(va, vb)]
        return points[-1][1]

    marks = {0.0, float(FRAMES)}
    n = -1
    while offset + n * period <= FRAMES:
        for f, _ in points:
            t = offset + (n + f) * period
            if 0 < t < FRAMES:
                marks.add(round(t, 3))
        n += 1
    marks = sorted(marks)
    keys = []
    for t0, t1 in zip(marks, marks[1:]):
        middle = (t0 + t1) / 2
        f_mid = ((middle - offset) / period) % 1
        f0 = max(0.0, f_mid - (middle - t0) / period)
        f1 = min(1.0, f_mid + (t1 - middle) / period)
        keys.append({"t": t0, "s": at(f0), "e": at(f1), **easing})
    keys.append({"t": float(FRAMES)})
    return {"a": 1, "k": keys}


def dot_layer(index, name, colour, x, radius, phase):
    """A dot rising from below the lines up into the waves once per loop, fading in and out.
    `phase` (0 to 1) is where in the loop its rise begins."""
    low, high = 410, 230
    start = phase * FRAMES
    position = cyclic([(0, [x, low, 0]), (1, [x, high, 0])], FRAMES, start)
    opacity = cyclic([(0, [0]), (0.2, [75]), (0.65, [60]), (1, [0])], FRAMES, start)
    circle = {"ty": "el", "nm": "Dot", "p": static([0, 0]), "s": static([radius * 2, radius * 2])}
    paint = {"ty": "fl", "nm": "Fill", "c": static(rgb(colour)), "o": static(100), "r": 1}
    group = {"ty": "gr", "nm": "Bubble", "it": [circle, paint, group_transform(static([0, 0]))]}
    return layer(index, name, [group], position=position, opacity=opacity)


def ring_layer(index, name, colour, centre, radius, period, phase):
    """A ring spreading out from `centre` and fading, like sound leaving a speaker."""
    start = phase * period
    scale = cyclic([(0, [30, 30, 100]), (1, [150, 150, 100])], period, start)
    opacity = cyclic([(0, [0]), (0.15, [80]), (1, [0])], period, start)
    circle = {"ty": "el", "nm": "Circle", "p": static([0, 0]),
              "s": static([radius * 2, radius * 2])}
    paint = {"ty": "st", "nm": "Stroke", "c": static(rgb(colour)), "o": static(100),
             "w": static(2), "lc": 2, "lj": 2, "ml": 4}
    group = {"ty": "gr", "nm": "Ring", "it": [circle, paint, group_transform(static([0, 0]))]}
    ring = layer(index, name, [group], position=static(centre + [0]), opacity=opacity)
    ring["ks"]["s"] = scale
    return ring


def main():
    layers = [
        dot_layer(1, "Dot 1", "#9BB4FA", 62, 4, 0.0),
        dot_layer(2, "Dot 2", "#9BB4FA", 148, 2.5, 0.35),
        dot_layer(3, "Dot 3", "#9BB4FA", 236, 3.5, 0.7),
        dot_layer(4, "Dot 4", "#9BB4FA", 318, 2.5, 0.15),
        dot_layer(5, "Dot 5", "#9BB4FA", 356, 3, 0.55),
        ring_layer(6, "Ring 1", "#C9D6FF", [292, 78], 60, 120, 0.0),
        ring_layer(7, "Ring 2", "#C9D6FF", [292, 78], 60, 120, 0.5),
        wave_layer(8, "Wave Front", "#7597F2", 40, 150, 18, 195, -2, 5, 3),
        wave_layer(9, "Wave Middle", "#536CE2", 35, 205, 24, 260, 1, 7, 2),
        wave_layer(10, "Wave Back", "#3B80DA", 30, 262, 28, 390, -1, 8, 1),
        wave_layer(11, "Line High", "#7597F2", 65, 318, 10, 130, 2, 4, 2, closed_to_top=False,
                   stroke_width=2.5),
        wave_layer(12, "Line Low", "#7597F2", 40, 348, 8, 195, -1, 4, 1, closed_to_top=False,
                   stroke_width=1.5),
    ]
    animation = {
        "v": "5.5.2", "nm": "waves", "fr": RATE, "ip": 0, "op": FRAMES,
        "w": WIDTH, "h": HEIGHT, "ddd": 0, "assets": [], "layers": layers,
    }
    out = Path(__file__).resolve().parent.parent / "resources" / "Bootwell_Bootwell.bundle"
    out.mkdir(parents=True, exist_ok=True)
    (out / "waves.json").write_text(json.dumps(animation, separators=(",", ":")) + "\n")


if __name__ == "__main__":
    main()
