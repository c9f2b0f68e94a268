#!/usr/bin/env bash
# Saves a PNG of the dialog in each of the six languages:
#   screenshots.sh BIN_DIR WINE_ROOT OUT_DIR
. "$(dirname "$0")/e2e-lib.sh"
out=$3
mkdir -p "$out"
e2e_start_display
export LC_ALL=en_US.UTF-8
e2e_prefix screenshots winxp
wine_draw_frames
for language in GERMAN ENGLISH FRENCH ITALIAN DUTCH SPANISH; do
  start_dravolin "$language"
  drv find >/dev/null && sleep 1
  name=$(tr 'A-Z' 'a-z' <<<"$language")
  # The root is black (Xvfb -br), so trimming leaves the dialog alone.
  import -window root png:- | convert png:- -trim +repage "$out/dravolin-$name.png" &&
    echo "saved $out/dravolin-$name.png"
  drv command 1000
  wait "$DRAVOLIN_PID"
done
