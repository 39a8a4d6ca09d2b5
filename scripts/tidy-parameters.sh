#!/bin/sh
# Renames parameters to lowerCamel (.clang-tidy's readability-identifier-naming)
# in the sources under the given folders, in place:
#
#     scripts/tidy-parameters.sh build src/lark/framework src/lark/hook
#
# JOBS sets how many files are checked at once (default: every core).
#
# The build's compile commands include GCC's precompiled headers, which clang
# cannot read; the run uses a copy of the commands that includes the headers'
# plain text instead. Build and test afterwards: a renamed parameter may now
# shadow a member or clash with a local.
set -eu
build=${1:?usage: $0 BUILD_DIR FOLDER...}
shift
[ $# -gt 0 ] || { echo "usage: $0 BUILD_DIR FOLDER..." >&2; exit 2; }
[ -f "$build/compile_commands.json" ] || { echo "$build/compile_commands.json: not found (configure with CMake first)" >&2; exit 1; }
db="$build/tidy"
mkdir -p "$db"
python3 - "$build/compile_commands.json" "$db" <<'PY'
import json, re, shutil, sys, os
source, out = sys.argv[1], sys.argv[2]
entries = json.load(open(source))
copies = {}
def plain(m):
    pch = m.group(1)
    if pch not in copies:
        copies[pch] = os.path.join(os.path.abspath(out), f"pch{len(copies)}.hxx")
        shutil.copyfile(pch, copies[pch])
    return f"-include {copies[pch]}"
for e in entries:
    command = re.sub(r"-include (\S+cmake_pch\.hxx)", plain, e["command"]).replace(" -Winvalid-pch", "")
    # GCC's sub-options of -Wshadow are unknown to clang, which would then
    # refuse to fix the file.
    e["command"] = re.sub(r" -W(?:no-error=|error=)?shadow=\S+", "", command)
json.dump(entries, open(os.path.join(out, "compile_commands.json"), "w"), indent=1)
PY
folders=$(printf '%s|' "$@" | sed 's/|$//')
run-clang-tidy -j "${JOBS:-$(nproc)}" -quiet -fix -checks='-*,readability-identifier-naming' \
    -header-filter="($folders)/" -p "$db" "($folders)/"
