#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Export and DXF import next to the peers: builds a 4000 x 3000 design of 153
# regions coloured with 8 texture files through velora-cli, exports it in
# every format and has vips and ImageMagick encode the same raster (our own
# export, as a PPM) with the same settings; then exports at 12000 x 9000 in
# every format, exports and renders the design drawn at 30000 x 30000, and
# imports two DXF drawings of 25,000 LWPOLYLINEs with 100,000 bulge arcs.
# Prints CPU time (user + system, the median of interleaved runs), peak memory
# and file sizes as the rows of the goals table. Not part of ./test.sh.
#
#   bench/peers.sh [VELORA_CLI] [RUNS]    (default build/src/cli/velora-cli, 5)
set -euo pipefail
cd "$(dirname "$0")/.."
cli=$(realpath "${1:-build/src/cli/velora-cli}")
runs=${2:-5}

need=()
command -v vips >/dev/null || need+=(libvips-tools)
command -v convert-im6.q16 >/dev/null || command -v magick >/dev/null || need+=(imagemagick)
command -v python3 >/dev/null || need+=(python3)
if [ ${#need[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${need[@]}" >&2
  else
    echo "Missing peers. Run as root: apt-get install -y ${need[*]}" >&2
    exit 1
  fi
fi
# ImageMagick's own program, not whatever else answers to "convert".
magick=$(command -v convert-im6.q16 || command -v magick)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# The library folders go below the current folder.
export HOME=$work

# --- inputs ------------------------------------------------------------------

# 17 x 9 cells of 10 x 10 units: every third a circle, the others squares.
python3 - >design.dxf <<'EOF'
out = ["  0", "SECTION", "  2", "ENTITIES"]
for r in range(9):
    for c in range(17):
        x, y = c * 10.0, r * 10.0
        if (r * 17 + c) % 3 == 0:
            out += ["  0", "CIRCLE", " 10", repr(x + 4.5), " 20", repr(y + 4.5), " 40", "4.2"]
        else:
            out += ["  0", "LWPOLYLINE", " 90", "4", " 70", "1"]
            for vx, vy in ((x, y), (x + 9, y), (x + 9, y + 9), (x, y + 9)):
                out += [" 10", repr(vx), " 20", repr(vy)]
print("\n".join(out + ["  0", "ENDSEC", "  0", "EOF"]))
EOF
# 25,000 four-petalled shapes: closed LWPOLYLINEs whose four sides are half
# circles (bulge -1); and 25,000 overlapping shapes of other sizes and bulges.
python3 - >arcs.dxf <<'EOF'
out = ["  0", "SECTION", "  2", "ENTITIES"]
for r in range(100):
    for c in range(250):
        x, y = c * 7.0, r * 7.0
        out += ["  0", "LWPOLYLINE", " 90", "4", " 70", "1"]
        for vx, vy in ((x, y), (x + 3, y), (x + 3, y + 3), (x, y + 3)):
            out += [" 10", repr(vx), " 20", repr(vy), " 42", "-1.0"]
print("\n".join(out + ["  0", "ENDSEC", "  0", "EOF"]))
EOF
python3 - >arcs2.dxf <<'EOF'
import random
random.seed(7)
out = ["  0", "SECTION", "  2", "ENTITIES"]
for i in range(25000):
    x, y, s = random.uniform(0, 2000), random.uniform(0, 1200), random.uniform(1, 12)
    out += ["  0", "LWPOLYLINE", " 90", "4", " 70", "1"]
    for vx, vy in ((x, y), (x + s, y), (x + s, y + s * 0.8), (x, y + s * 0.8)):
        bulge = random.choice([-1.0, -0.6, 0.4, 1.0, -0.3])
        out += [" 10", repr(vx), " 20", repr(vy), " 42", repr(bulge)]
print("\n".join(out + ["  0", "ENDSEC", "  0", "EOF"]))
EOF
for i in 0 1 2 3 4 5 6 7; do
  "$magick" -size 256x256 -seed $((i + 1)) plasma:fractal -quality 90 "texture$i.jpg"
done
"$cli" import design.dxf -o design.mtp --size 3980x2980 >/dev/null
"$cli" capture design.mtp -o design.mtp --all --area-per-region >/dev/null
fills=()
for i in $(seq 0 152); do fills+=(--fill-index "$i=texture$((i % 8)).jpg"); done
"$cli" design design.mtp -o design.vld "${fills[@]}" >/dev/null
"$cli" export design.vld -o ./raster.bmp >/dev/null
vips copy raster.bmp raster.ppm

# --- measuring ---------------------------------------------------------------

# "cpu seconds peak kB" of one run of the command.
measure() {
  /usr/bin/time -f "%U %S %M" -o time.txt "$@" >/dev/null 2>&1
  awk '{ printf "%.3f %d\n", $1 + $2, $3 }' time.txt
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Runs ours and the peer alternately; prints the two medians of CPU time.
pair() {
  local ours=$1 peer=$2
  : >ours.txt
  : >peer.txt
  for _ in $(seq "$runs"); do
    measure bash -c "$ours" >>ours.txt
    measure bash -c "$peer" >>peer.txt
  done
  echo "$(cut -d' ' -f1 ours.txt | median) $(cut -d' ' -f1 peer.txt | median)"
}

size_of() { stat -c %s "$1"; }

row() {  # name ours peer goal extra
  awk -v n="$1" -v o="$2" -v p="$3" -v g="$4" -v e="$5" \
    'BEGIN { printf "%-28s %7.3f s %7.3f s %6.2fx  (goal <= %s)  %s\n", n, o, p, o / p, g, e }'
}

echo "velora: $cli ($runs interleaved runs each, CPU = user + system)"
printf "%-28s %9s %9s %7s\n" "work" "ours" "peer" "ratio"

# One row: ours against the peer, with the sizes of the files both wrote.
compare() {  # name goal ours-file peer-file ours-command peer-command
  local o p
  read -r o p < <(pair "$5" "$6")
  row "$1" "$o" "$p" "$2" "files $(size_of "$3") / $(size_of "$4") B"
}

compare "JPEG q90 4:2:0 / vips" 1.1x ours.jpg peer.jpg \
  "'$cli' export design.vld -o ./ours.jpg --quality 90" \
  "vips jpegsave raster.ppm peer.jpg --Q 90 --subsample-mode on --optimize-coding"
compare "JPEG q90 4:2:0 / ImageMagick" - ours.jpg peer-im.jpg \
  "'$cli' export design.vld -o ./ours.jpg --quality 90" \
  "'$magick' raster.ppm -quality 90 -sampling-factor 2x2 peer-im.jpg"
compare "PNG level 3, all filters" 1.0x ours.png peer.png \
  "'$cli' export design.vld -o ./ours.png" \
  "vips pngsave raster.ppm peer.png --compression 3 --filter all"
compare "TIFF LZW 24-bit / vips" 1.0x ours.tif peer.tif \
  "'$cli' export design.vld -o ./ours.tif --compression 2 --depth 24" \
  "vips tiffsave raster.ppm peer.tif --compression lzw --predictor horizontal"
compare "BMP 24-bit / ImageMagick" 1.2x ours.bmp peer.bmp \
  "'$cli' export design.vld -o ./ours.bmp" \
  "'$magick' raster.ppm -type truecolor BMP3:peer.bmp"
compare "GIF / ImageMagick" hold ours.gif peer.gif \
  "'$cli' export design.vld -o ./ours.gif" \
  "'$magick' raster.ppm -dither FloydSteinberg -colors 256 peer.gif"

echo
echo "peak memory, export at 12000 x 9000 (goal <= 120 MB):"
for format in png tif jpg bmp gif; do
  options=()
  [ $format = tif ] && options=(--compression 2 --depth 24)
  [ $format = jpg ] && options=(--quality 90)
  read -r _ ours < <(measure "$cli" export design.vld -o "./big.$format" --size 12000x9000 "${options[@]}")
  awk -v f=$format -v o="$ours" 'BEGIN { printf "  %-4s ours %5.0f MB\n", f, o / 1024 }'
done
read -r _ theirs < <(measure vips resize raster.ppm "big.png[compression=3,filter=all]" 3)
awk -v p="$theirs" 'BEGIN { printf "  png  vips %5.0f MB\n", p / 1024 }'

echo
echo "the design drawn at 30000 x 30000 (goal <= 400 MB, in bands):"
"$cli" import design.dxf -o huge.mtp --size 29980x29980 >/dev/null
"$cli" capture huge.mtp -o huge.mtp --all --area-per-region >/dev/null
"$cli" design huge.mtp -o huge.vld "${fills[@]}" >/dev/null
for command in "export huge.vld -o ./huge.jpg --quality 90" "render huge.vld -o ./huge.png"; do
  # shellcheck disable=SC2086
  read -r cpu peak < <(measure "$cli" $command)
  awk -v c="${command%% *}" -v t="$cpu" -v m="$peak" \
    'BEGIN { printf "  %-6s %6.1f s, %5.0f MB\n", c, t, m / 1024 }'
done

echo
echo "DXF import of 25,000 LWPOLYLINEs with 100,000 bulge arcs (goal <= 2 s, <= 250 MB):"
for drawing in arcs arcs2; do
  size=4000x1600
  [ $drawing = arcs2 ] && size=4000x2400
  : >import.txt
  for _ in $(seq "$runs"); do measure "$cli" import $drawing.dxf -o $drawing.mtp --size $size >>import.txt; done
  awk -v d=$drawing -v t="$(cut -d' ' -f1 import.txt | median)" \
    -v m="$(cut -d' ' -f2 import.txt | sort -n | tail -1)" \
    'BEGIN { printf "  %-6s ours %.2f s, %.0f MB\n", d, t, m / 1024 }'
  "$cli" info $drawing.mtp | python3 -c \
    'import json, sys; c = json.load(sys.stdin)["curves"]; print("         %d curves, %d points" % (len(c), sum(x["points"] for x in c)))'
done
