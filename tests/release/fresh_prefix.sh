# Sourced by the release's tests: the set-up's environment around a scratch cache whose Wine prefix
# is made fresh, on a screen of its own, all removed at exit; `fail` counts what went wrong, and
# `run_probe` runs the test's probe ($probe) there.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
scratch=$(mktemp -d)
export TAVELKO_CACHE=$scratch
# shellcheck source=/dev/null
source "$root/tools/setup.sh"
unset DISPLAY
trap 'stop_display; rm -rf "$scratch"' EXIT
failures=0

fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

start_display || exit 1
wineboot -i </dev/null >"$scratch/wineboot.log" 2>&1 || { echo "no fresh prefix:"; tail "$scratch/wineboot.log"; exit 1; }

# Runs the probe in the fresh prefix; prints its lines, then its complaint when it fails.
run_probe() {
  wine "$probe" "$@" </dev/null >"$scratch/probe.out" 2>&1
  local status=$?
  tr -d '\r' <"$scratch/probe.out"
  return "$status"
}
