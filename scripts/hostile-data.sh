#!/usr/bin/env bash
# Runs every hostile list and database case of lark_hostile_data in a process
# of its own and prints the wall time, the peak memory and the verdict of
# each ("held": no crash, the documented error, nothing written).
#
#   scripts/hostile-data.sh [BUILD_DIR] [CASE...]
#
# BUILD_DIR is a Release build with LARK_BUILD_BENCH=ON (default:
# build-bench, as `make hostile` builds it). The PostgreSQL case makes a
# throw-away cluster with tests/db/pg_cluster.sh and stops it under the
# bound controls; without a server installed it reports "skipped".
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}
shift || true
tool="$build/bench/hostile/lark_hostile_data"
limit=${HOSTILE_TIMEOUT:-300}

for t in "$tool" /usr/bin/time; do
    [[ -x $t ]] || { echo "missing $t (build lark_hostile_data)" >&2; exit 2; }
done

export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cases=("$@")
[[ ${#cases[@]} -gt 0 ]] || mapfile -t cases < <("$tool" --list)

have_pg=yes
ls -d /usr/lib/postgresql/*/bin/pg_ctl >/dev/null 2>&1 || have_pg=no

row='%-24s %-18s %s\n'
printf "$row" case seconds/peak verdict
failed=0
for name in "${cases[@]}"; do
    args=("$name")
    if [[ $name == pg-* ]]; then
        if [[ $have_pg == no ]]; then
            printf "$row" "$name" - skipped
            continue
        fi
        args+=(--pg-cluster "$root/tests/db/pg_cluster.sh" "$work/pg")
    fi
    rc=0
    timeout "$limit" /usr/bin/time -o "$work/time.txt" -f "%e %M" "$tool" "${args[@]}" \
        >"$work/$name.log" 2>"$work/$name.err" || rc=$?
    if [[ $rc -eq 124 ]]; then
        printf "$row" "$name" timeout "FAULT: over ${limit}s"
        failed=1
        continue
    fi
    read -r seconds kb < <(tail -n 1 "$work/time.txt")
    verdict=$(tail -n 1 "$work/$name.log")
    [[ $rc -eq 0 ]] || { verdict="${verdict:-crashed} (exit $rc)"; failed=1; }
    printf "$row" "$name" "${seconds}s/$((kb / 1024))MB" "$verdict"
    if [[ -n ${HOSTILE_VERBOSE:-} || $rc -ne 0 ]]; then
        sed 's/^/    /' "$work/$name.log"
        tail -n 5 "$work/$name.err" | sed 's/^/    ! /'
    fi
done
exit $failed
