#!/usr/bin/env python3
"""Reads a GPX file with gpxpy, as a map program's import would, and prints what it found:
points, segments, the first and last positions, whether the times rise, the depth extension."""
import sys

import gpxpy

with open(sys.argv[1], encoding="utf-8") as stream:
    gpx = gpxpy.parse(stream)
points = [p for track in gpx.tracks for segment in track.segments for p in segment.points]
times = [p.time for p in points if p.time is not None]
depths = [e for p in points for e in p.extensions if e.tag.endswith("}depth")]
print(len(gpx.tracks), sum(len(t.segments) for t in gpx.tracks), len(points))
print(f"{points[0].latitude:.9f} {points[0].longitude:.9f}")
print(f"{points[-1].latitude:.9f} {points[-1].longitude:.9f}")
print(len(times), int(all(a < b for a, b in zip(times, times[1:]))), len(depths))
