#!/usr/bin/env bash
# Renders the showcase snippets (apps/lark-render/showcase/*.html) with
# lark-render from build folder $1 into $1/showcase/ and prints the PNG paths.
# A snippet may carry its command-line options on its first line:
#   <!-- lark-render: --width 360 --var user=Ada -->
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${1:-build}
RENDER="$BUILD/apps/lark-render/lark-render"
SHOWCASE=apps/lark-render/showcase
OUT="$BUILD/showcase"

if [ ! -x "$RENDER" ]; then
  echo "run-demo: $RENDER is missing; build first (make build)" >&2
  exit 1
fi
mkdir -p "$OUT"

# The options written on a snippet's first line, or nothing.
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
  "$RENDER" "${args[@]}" "$@" -o "$png" "$snippet"
  echo "$png"
}

echo "Lark HTML showcase (lark-render), one PNG per snippet:"
for snippet in "$SHOWCASE"/*.html; do
  name=$(basename "$snippet" .html)
  render "$snippet" "$OUT/$name.png"
done
# The same overview for a high-DPI screen.
render "$SHOWCASE/12_overview.html" "$OUT/12_overview@2x.png" --scale 2
