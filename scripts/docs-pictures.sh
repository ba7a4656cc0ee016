#!/usr/bin/env bash
# Makes every picture in docs/ from the program itself, so that the README shows
# what the program shows today. Run it again whenever a window or a picture
# changes, then look at the pictures and commit them.
#
#   scripts/docs-pictures.sh            (from any folder)
#
# It builds the Release program in build-release/ (as run.sh does), then:
# - docs/map.png: drawn without a display by `splmap render`;
# - the windows: shot under a virtual display by ../shared/tools/screenshot.sh,
#   found relative to this repository (the folder shared/tools beside it), which
#   starts the program, presses the keys given with -k through xdotool, and here
#   lets xdotool run this script again inside that display to click a button
#   (--click) or to shoot the window that has the focus, frame included (--shoot);
# - docs/report-page1.png and docs/report-page2.png: the report as File > Export
#   Report writes it with the map of 1000 Hz on the screen, written without a
#   display by `splmap report` (in English), turned into pictures by pdftoppm;
# - docs/saved-image.png: the file File > Save Image writes (a bitmap, turned
#   into a PNG).
# Needs Xvfb, openbox, xdotool and ImageMagick (screenshot.sh installs them) and
# pdftoppm (poppler-utils).
set -euo pipefail

# ---- Run by xdotool inside the virtual display ------------------------------
# Main window client area: the design size, under the menu bar.
readonly client_height=617
case "${1:-}" in
--shoot) # OUT.png [TITLE]: the window with the focus, or the one of that title, with its frame
    if [ -n "${3:-}" ]; then
        window=$(xdotool search --name "$3" | head -n 1)
    else
        window=$(xdotool getactivewindow)
    fi
    [ -n "$window" ] # (import without a window waits for a click)
    exec import -frame -window "$window" "$2"
    ;;
--click) # X Y: a click at that point of the client area of the main window, the active one
    window=$(xdotool getactivewindow)
    height=$(xdotool getwindowgeometry --shell "$window" | sed -n 's/^HEIGHT=//p')
    exec xdotool mousemove --window "$window" "$2" $(($3 + height - client_height)) click 1
    ;;
esac

cd "$(dirname "$0")/.."
screenshot=../shared/tools/screenshot.sh
[ -x "$screenshot" ] || {
    echo "docs-pictures.sh: $screenshot not found" >&2
    exit 2
}
command -v pdftoppm >/dev/null || {
    echo "docs-pictures.sh: pdftoppm not found (apt-get install poppler-utils)" >&2
    exit 2
}

cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DSPLMAP_BENCH=OFF >/dev/null
cmake --build build-release --target splmap -j"$(nproc)" >/dev/null
splmap=build-release/splmap
demo=examples/demo.ini
self=scripts/docs-pictures.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Centres of the main window's buttons in its client area (its design layout).
readonly view_button="632 503" spl_button="632 579"
# A point of the map, in the same client area: about 29 m out, 6 m up.
readonly map_point="560 150"

# Runs COMMAND under the virtual display and gives it the keys: run [-k KEYS]... -- COMMAND...
run() {
    local keys=()
    while [ "$1" != -- ]; do
        keys+=("$1")
        shift
    done
    "$screenshot" -w 4 "${keys[@]}" "$work/screen.png" "$@" >/dev/null
}
# Then shoots the window that has the focus, or the one whose title matches
# TITLE (no spaces): shot OUT [TITLE] [-k KEYS]... -- COMMAND...
shot() {
    local out=$1 title="" keys=()
    shift
    case "$1" in -k | --) ;; *)
        title=$1
        shift
        ;;
    esac
    while [ "$1" != -- ]; do
        keys+=("$1")
        shift
    done
    rm -f "$work/shot.png"
    run "${keys[@]}" -k "exec --sync $self --shoot $work/shot.png $title" "$@"
    [ -s "$work/shot.png" ] || {
        echo "docs-pictures.sh: no picture for $out" >&2
        exit 2
    }
    mv "$work/shot.png" "$out"
    echo "docs-pictures.sh: wrote $out"
}

"$splmap" render "$demo" --freq 1000 --out docs/map.png
echo "docs-pictures.sh: wrote docs/map.png"

shot docs/screenshot.png -- "$splmap" "$demo"
shot docs/wizard.png -k "key ctrl+n" -- env LC_ALL=de_DE.UTF-8 "$splmap"
shot docs/area-levels.png -k "key alt+o" -k "key a" -- "$splmap" "$demo"
shot docs/spl-window.png -k "exec --sync $self --click $spl_button" -- "$splmap" "$demo"
# The spectrum at one point of the 1000 Hz map: the SPL window's band list
# starts at 100 Hz, ten steps down is 1000 Hz, Enter is CALCULATE.
down10=$(printf ' Down%.0s' $(seq 10))
shot docs/band-response.png ^Spectrum -k "exec --sync $self --click $spl_button" -k "key$down10" \
    -k "key Return" -k "sleep 1" -k "exec --sync $self --click $map_point" -k "sleep 1" \
    -- "$splmap" "$demo"
shot docs/autosplay.png ^Autosplay -k "key alt+o" -k "key s" -k "key alt+r" -k "sleep 3" \
    -- "$splmap" "$demo"
shot docs/mechanical-view.png ^Mechanical -k "exec --sync $self --click $view_button" -- "$splmap" "$demo"

LC_ALL=C.UTF-8 "$splmap" report "$demo" --freq 1000 --out "$work/report.pdf"
pdftoppm -r 80 -png "$work/report.pdf" "$work/report"
[ -f "$work/report-2.png" ] || {
    echo "docs-pictures.sh: the report has no map page (was the map calculated?)" >&2
    exit 2
}
mv "$work/report-1.png" docs/report-page1.png
mv "$work/report-2.png" docs/report-page2.png
echo "docs-pictures.sh: wrote docs/report-page1.png and docs/report-page2.png"

run -k "key alt+f" -k "key i" -k "type $work/saved.bmp" -k "key Return" -- "$splmap" "$demo"
[ -s "$work/saved.bmp" ] || {
    echo "docs-pictures.sh: Save Image wrote nothing" >&2
    exit 2
}
convert "$work/saved.bmp" docs/saved-image.png
echo "docs-pictures.sh: wrote docs/saved-image.png"
