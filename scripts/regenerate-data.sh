#!/usr/bin/env bash
# Regenerates the shipped data directory data/ with the catalogue builder,
# from the system's tz database (/usr/share/zoneinfo, Debian's tzdata) and
# the CLDR data of the system's ICU (Debian's libicu-dev).
#
#   bash scripts/regenerate-data.sh          # rules in force in 2026
#   bash scripts/regenerate-data.sh 2027     # another year
#   ZONEINFO=/path/to/zoneinfo bash scripts/regenerate-data.sh   # another tz database
#   MAP_SIZE=1024x512 bash scripts/regenerate-data.sh   # X and Y as pixels of a world map
#
# On the same tzdata and ICU the output is byte for byte the same. New
# Windows zones get new identifiers in tools/catalogue_builder/zone_ids.tsv;
# commit that table together with data/. The builder also writes
# data/dataset.txt and the list of zones whose rule changes in
# data/README.md. Zones whose rule had to be approximated, places filed under
# another zone than CLDR's, and places no zone fits are reported on
# standard error. The TZif files of the catalogue's zones are kept under
# tests/catalogue_builder/tzif, so the tests compare the rules with the C library's
# reading of the same tz database on any host; commit them with data/. The
# builder fails (status 3) when a name had to be cut to fit its field.
set -euo pipefail
cd "$(dirname "$0")/.."

year=${1:-2026}
zoneinfo=${ZONEINFO:-/usr/share/zoneinfo}
build=build-data
cmake -S . -B "$build" -G Ninja -DKELVANE_TESTS=OFF -DKELVANE_BUILD_CATALOGUE_BUILDER=ON >/dev/null
cmake --build "$build" -j 2 --target catalogue_builder
find data -maxdepth 1 -type f \( -name '*.ini' \) -delete 2>/dev/null || true
rm -rf tests/catalogue_builder/tzif
"$build/tools/catalogue_builder/catalogue_builder" --out data --year "$year" \
  --ids tools/catalogue_builder/zone_ids.tsv --zoneinfo "$zoneinfo" --tzif tests/catalogue_builder/tzif \
  ${MAP_SIZE:+--map-size "$MAP_SIZE"}
: > data/Kelvane.lock  # Windows' data-directory lock: ships empty
# The clock settings where the system has no clock key (Linux, desktop Windows).
printf '%s\n' '# Clock settings of the device: AutoDST (daylight saving followed) and HomeDST' \
  '# (daylight time in force in the home zone), each 0 or 1. Stands for the' \
  '# registry key where the system has none; written by ChangeTZ and FixTZ.' 'AutoDST = 0' 'HomeDST = 0' > data/clock.ini
