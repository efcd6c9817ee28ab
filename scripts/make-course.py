#!/usr/bin/env python3
"""Writes data/hill-course.gpx, the guide's example course: 10 km along the
equator eastward from 0 N 0 E, a point every 100 m, climbing steadily 100 m
over the first 5 km (2 %) and coming down again over the last 5 km, so
that its heights are known exactly; a water station at 2.5 km and another
at 7.5 km, named waypoints beside the way. A degree of longitude on the
equator is 111,319.491 m on the WGS-84 ellipsoid."""
import pathlib

METRES_PER_DEGREE = 111319.491
points = []
for k in range(101):
    metres = k * 100
    height = 0.02 * metres if metres <= 5000 else 0.02 * (10000 - metres)
    points.append('      <trkpt lat="0" lon="%.9f"><ele>%.1f</ele></trkpt>' % (metres / METRES_PER_DEGREE, height))
# 10 m north of the way, where the tables of a race stand.
stations = ['  <wpt lat="%.9f" lon="%.9f"><name>%s</name></wpt>' % (10 / 110574.0, metres / METRES_PER_DEGREE, name)
            for metres, name in ((2500, "Water 1"), (7500, "Water 2"))]
text = "\n".join([
    '<?xml version="1.0" encoding="UTF-8"?>',
    '<gpx version="1.1" creator="Velto make-course.py" xmlns="http://www.topografix.com/GPX/1/1">',
    *stations,
    '  <trk>',
    '    <name>A hill, 10 km</name>',
    '    <trkseg>',
    *points,
    '    </trkseg>',
    '  </trk>',
    '</gpx>',
    '',
])
out = pathlib.Path(__file__).resolve().parent.parent / "data" / "hill-course.gpx"
out.write_text(text, newline="\r\n")
print(out)
