#!/usr/bin/env bash
# The scripts that set up, build and run ZEPA's tests, as shellcheck (Debian's
# package shellcheck) reads them: a fault there fails a newcomer's first run.
# Usage: check_scripts.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
command -v shellcheck > /dev/null || { echo "FAIL: shellcheck is not installed; ./zepa.sh test installs it"; exit 1; }
cd "$source_dir"
mapfile -t scripts < <(git ls-files 2> /dev/null | grep -E '\.sh$' || find . -name '*.sh' -not -path './build*')
shellcheck .ci/run "${scripts[@]}"
