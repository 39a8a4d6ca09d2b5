#!/usr/bin/env bash
# Runs every hostile input in a process of its own, through lark-render and
# through lark_hostile (render object, view and auto-sized label), and prints
# the wall time and peak memory of each run.
#
#   scripts/hostile-inputs.sh [BUILD_DIR] [CASE...]
#
# BUILD_DIR is a Release build with the apps and LARK_BUILD_BENCH=ON
# (default: build-bench, as `make hostile` builds it).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}
shift || true
render="$build/apps/lark-render/lark-render"
hostile="$build/bench/hostile/lark_hostile"
limit=${HOSTILE_TIMEOUT:-300}

for tool in "$render" "$hostile" /usr/bin/time; do
    [[ -x $tool ]] || { echo "missing $tool (build lark-render and lark_hostile)" >&2; exit 2; }
done

export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$hostile" --write "$work" >/dev/null

cases=("$@")
[[ ${#cases[@]} -gt 0 ]] || mapfile -t cases < <("$hostile" --list)

# Prints "seconds/peak MB" of one command (with "!rc" when it failed, "timeout"
# when it was killed after $limit seconds).
measure() {
    local out="$work/time.txt" rc=0
    timeout "$limit" /usr/bin/time -o "$out" -f "%e %M" "$@" >"$work/stdout.txt" 2>"$work/stderr.txt" || rc=$?
    if [[ $rc -eq 124 ]]; then
        printf 'timeout'
        return
    fi
    read -r seconds kb < <(tail -n 1 "$out")
    printf '%ss/%sMB' "$seconds" "$((kb / 1024))"
    [[ $rc -eq 0 ]] || printf '!%s' "$rc"
}

# lark-render: one paint into a PNG (refused with exit 1 when the image would
# be too large), and --size, which paints the whole document screen by screen
# to record every line's position. lark_hostile: PrepareText + DrawText on a
# bare render object; a 400x300 view (caption, grab at the top and at the
# bottom); an auto-sized label (caption, grab).
row='%-12s %10s  %-16s %-16s %-16s %-16s %-16s\n'
printf "$row" case bytes render-png render-size engine view label
for name in "${cases[@]}"; do
    file="$work/$name.html"
    printf "$row" "$name" "$(stat -c %s "$file")" \
        "$(measure "$render" --width 400 -o "$work/out.png" "$file")" \
        "$(measure "$render" --width 400 --size "$file")" \
        "$(measure "$hostile" "$name" --stage render --images "$work")" \
        "$(measure "$hostile" "$name" --stage view --images "$work")" \
        "$(measure "$hostile" "$name" --stage label --images "$work")"
done
