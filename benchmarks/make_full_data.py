#!/usr/bin/env python3
"""Makes a data directory at the engine's limits from the shipped one.

    python3 benchmarks/make_full_data.py data build/full-data

Copies every file of the shipped data directory, then fills the catalogue to
150 system zones (TZ_Def.ini) and 50 user zones (TZ_UserDef.ini), gives every
added zone a line in each description file and puts the user zones
on the favourites list. The added system zones repeat the rules of the last
shipped ones, so the lists keep many equal offsets, as a real catalogue does.
"""
import pathlib
import shutil
import sys

SYSTEM_ZONES, USER_ZONES, FIRST_USER_ID = 150, 50, 10000


def read_lines(path):
    return path.read_text(encoding="utf-16").splitlines(keepends=True)


def write_lines(path, lines):
    path.write_bytes(b"\xff\xfe" + "".join(lines).encode("utf-16-le"))


def data_lines(lines, min_fields):
    return [l for l in lines if len(l.split()) >= min_fields and not l.split()[0].startswith(";")]


def main(source, target):
    source, target = pathlib.Path(source), pathlib.Path(target)
    if target.exists():
        shutil.rmtree(target)
    shutil.copytree(source, target)

    catalogue = read_lines(target / "TZ_Def.ini")
    zones = data_lines(catalogue, 16)
    last_id = max(int(l.split()[0]) for l in zones)
    added = []
    for n, zone_id in enumerate(range(last_id + 1, SYSTEM_ZONES + 1)):
        fields = zones[-(n % len(zones)) - 1].rstrip("\r\n").split("\t")
        fields[0] = f"{zone_id:5d}"
        fields[-1] = f"Extra$zone${zone_id}"
        added.append("\t".join(fields) + "\r\n")
    write_lines(target / "TZ_Def.ini", catalogue + added)

    user_ids = range(FIRST_USER_ID, FIRST_USER_ID + USER_ZONES)
    user = read_lines(target / "TZ_UserDef.ini")
    for i, zone_id in enumerate(user_ids):
        offset = 60 * (i % 25 - 12)
        user.append(f"{zone_id:5d}\t{offset:6d}\t   3\t       0\t           0\t     0\t      0\t        0"
                    f"\t       0\t           0\t     0\t      0\t        0\t0\t0\t    0\tMy$own$zone${i}\r\n")
    write_lines(target / "TZ_UserDef.ini", user)

    new_ids = range(last_id + 1, SYSTEM_ZONES + 1)
    for desc in sorted(target.glob("TZ_Desc_*.ini")):
        lines = read_lines(desc)
        lines += [f"{z}\tExtra$zone${z}\tExtra$zone${z}\tExtra$zone${z}\tExtra$zone${z}\r\n" for z in new_ids]
        write_lines(desc, lines)

    favourites = read_lines(target / "TZ_Frequency.ini")
    listed = {l.split()[0] for l in data_lines(favourites, 2)}
    favourites += [f"{z:5d}\t1\r\n" for z in user_ids if str(z) not in listed]
    write_lines(target / "TZ_Frequency.ini", favourites)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: make_full_data.py SOURCE_DATA_DIR TARGET_DIR")
    main(sys.argv[1], sys.argv[2])
