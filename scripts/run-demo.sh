#!/usr/bin/env bash
# Starts a demo program from build folder $1 (default: build): $2 is
# "coredemo" (the default) or "featurestour".
#
# Without a display (no DISPLAY or WAYLAND_DISPLAY) the programs run off
# screen instead: each shows every page once, writes one screenshot per page
# and prints their paths - CoreDemo into $1/screenshots/coredemo/, the feature
# tour into $1/screenshots/featurestour/ (for coredemo both, as `make demo`
# is meant to show every control). The lark-render showcase
# (apps/lark-render/showcase/*.html) is then rendered into $1/showcase/ too.
# CoreDemo's screenshots take the theme in $THEME when it is set
# (coredemo --theme list names them).
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${1:-build}
PROGRAM=${2:-coredemo}
CORE="$BUILD/apps/coredemo/coredemo"
TOUR="$BUILD/apps/featurestour/featurestour"
RENDER="$BUILD/apps/lark-render/lark-render"

case "$PROGRAM" in
  coredemo) EXE=$CORE ;;
  featurestour) EXE=$TOUR ;;
  *) echo "run-demo: unknown program $PROGRAM (coredemo or featurestour)" >&2; exit 2 ;;
esac
if [ ! -x "$EXE" ]; then
  echo "run-demo: $EXE is missing; build first (make build)" >&2
  exit 1
fi

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  # The pages read their image files from the working directory, which the
  # build puts next to the program.
  cd "$(dirname "$EXE")"
  exec "./$(basename "$EXE")"
fi

theme_args=()
if [ -n "${THEME:-}" ]; then
  theme_args=(--theme "$THEME")
fi

if [ "$PROGRAM" = coredemo ]; then
  echo "No display: CoreDemo, one screenshot per page:"
  QT_QPA_PLATFORM=offscreen "$CORE" --screenshots "$BUILD/screenshots/coredemo" "${theme_args[@]}"
fi
echo "No display: the feature tour, one screenshot per page:"
QT_QPA_PLATFORM=offscreen "$TOUR" --screenshots "$BUILD/screenshots/featurestour"

if [ "$PROGRAM" != coredemo ] || [ ! -x "$RENDER" ]; then
  exit 0
fi
SHOWCASE=apps/lark-render/showcase
OUT="$BUILD/showcase"
mkdir -p "$OUT"

# The options written on a snippet's first line, or nothing:
#   <!-- lark-render: --width 360 --var user=Ada -->
snippet_args() {
  head -n 1 "$1" | tr -d '\r' | sed -n 's/^<!-- *lark-render:\(.*\)-->.*$/\1/p'
}

render() { # render SNIPPET PNG [extra options...]
  local snippet=$1 png=$2
  shift 2
  # The options are split like a shell command line (quotes allowed), by
  # xargs rather than eval, so that nothing in a snippet is ever executed.
  local args=()
  mapfile -t args < <(snippet_args "$snippet" | xargs -r -n1 printf '%s\n')
  QT_QPA_PLATFORM=offscreen "$RENDER" "${args[@]}" "$@" -o "$png" "$snippet"
  echo "$png"
}

echo "The lark-render showcase, one PNG per snippet:"
for snippet in "$SHOWCASE"/*.html; do
  name=$(basename "$snippet" .html)
  render "$snippet" "$OUT/$name.png"
done
# The same overview for a high-DPI screen.
render "$SHOWCASE/12_overview.html" "$OUT/12_overview@2x.png" --scale 2
