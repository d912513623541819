#!/usr/bin/env bash
# The set-up fails loudly: a failing step stops it with the step's name and log, and the Wine
# prefix is marked ready only when every part of it was made. Runs in a scratch cache with
# stand-ins for apt-get and Wine, so nothing is installed and no real prefix is touched.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# ---- Stand-ins on the PATH ----
# apt-get: "install" asks the real apt-get for a simulation only (no change to the system, no
# root, no network), "update" does nothing, "source" fails as it does without deb-src entries.
# Wine: wineboot makes the prefix folder, regedit records the import that "reg query" looks for.
# FAKE_FAIL names the one command that fails: wineboot, wait, regedit, lost-import or
# wait-after-import.
fakes=$scratch/bin
mkdir -p "$fakes"
cat > "$fakes/apt-get" <<'FAKE'
#!/usr/bin/env bash
for arg in "$@"; do
  case $arg in
    update) exit 0 ;;
    source) echo "E: You must put some 'deb-src' URIs in your sources.list" >&2; exit 100 ;;
    install) exec /usr/bin/apt-get --simulate "$@" ;;
  esac
done
exit 0
FAKE
cat > "$fakes/wineboot" <<'FAKE'
#!/usr/bin/env bash
[ "${FAKE_FAIL:-}" = wineboot ] && { echo "wineboot: could not load the driver" >&2; exit 1; }
mkdir -p "$WINEPREFIX" && touch "$WINEPREFIX/system.reg"
FAKE
cat > "$fakes/wineserver" <<'FAKE'
#!/usr/bin/env bash
[ "$1" = -w ] || exit 0
[ "${FAKE_FAIL:-}" = wait ] && exit 1
[ "${FAKE_FAIL:-}" = wait-after-import ] && [ -f "$WINEPREFIX/imported" ] && exit 1
exit 0
FAKE
cat > "$fakes/winepath" <<'FAKE'
#!/usr/bin/env bash
echo "Z:${2//\//\\}"
FAKE
cat > "$fakes/wine" <<'FAKE'
#!/usr/bin/env bash
case $1 in
  regedit)
    [ "${FAKE_FAIL:-}" = regedit ] && { echo "regedit: Unable to open the file" >&2; exit 1; }
    [ "${FAKE_FAIL:-}" = lost-import ] || touch "$WINEPREFIX/imported" ;;
  reg) [ -f "$WINEPREFIX/imported" ] || { echo "ERROR: The system was unable to find the key" >&2; exit 1; } ;;
esac
exit 0
FAKE
chmod +x "$fakes"/*

# Runs the set-up in the scratch cache $scratch/cache with the given packages, after `prepare`
# (shell code run after setup.sh is sourced); its output goes to $scratch/out.
run_setup() {
  local packages=$1 prepare=$2
  (
    export PATH="$fakes:$PATH" TAVELKO_CACHE="$scratch/cache"
    # shellcheck source=/dev/null
    source "$root/tools/setup.sh"
    read -ra apt_packages <<< "$packages"
    # Running as another user must not reach sudo, which would use the real apt-get.
    as_root() { "$@"; }
    # The display is never started here: a real Xvfb is no part of this test.
    start_display() { echo "the display step ran"; }
    eval "$prepare"
    tavelko_setup
  ) > "$scratch/out" 2>&1
}

# The same in an empty scratch cache.
setup_in_scratch() {
  rm -rf "$scratch/cache" && mkdir -p "$scratch/cache"
  run_setup "$@"
}

# A libjpeg-turbo as a finished build leaves it, so that the set-up goes past that step.
built_libjpeg='mkdir -p "$LIBJPEG_PREFIX/lib" "$LIBJPEG_PREFIX/include" && touch "$LIBJPEG_PREFIX/lib/libjpeg.a" "$LIBJPEG_PREFIX/include/jpeglib.h"'

# ---- A package that cannot be found ----
if setup_in_scratch "tavelko-no-such-package" ""; then
  fail "the set-up succeeded with a package that does not exist"
fi
grep -q "step 'packages' failed" "$scratch/out" || fail "the failing step is not named: $(cat "$scratch/out")"
grep -q "tavelko-no-such-package" "$scratch/out" || fail "apt's reason is not shown: $(cat "$scratch/out")"
[ -e "$scratch/cache/libjpeg-turbo" ] && fail "libjpeg-turbo was built after the packages failed"
grep -q "the display step ran" "$scratch/out" && fail "the set-up went on after the packages failed"
[ -e "$scratch/cache/wineprefix" ] && fail "a prefix was made after the packages failed"

# ---- libjpeg-turbo whose source cannot be fetched ----
if setup_in_scratch "" ""; then
  fail "the set-up succeeded without a libjpeg-turbo"
fi
grep -q "step 'libjpeg' failed" "$scratch/out" || fail "the failing libjpeg step is not named: $(cat "$scratch/out")"
grep -q "deb-src" "$scratch/out" || fail "apt's reason for the libjpeg step is not shown: $(cat "$scratch/out")"
grep -q "the display step ran" "$scratch/out" && fail "the set-up went on after libjpeg-turbo failed"

# ---- The Wine prefix: ready only when every part of it was made ----
if ! setup_in_scratch "" "$built_libjpeg"; then
  fail "the set-up failed with every step working: $(cat "$scratch/out")"
fi
[ -f "$scratch/cache/wineprefix/.tavelko-ready" ] || fail "a prefix made without a fault is not marked ready"

for fault in wineboot wait regedit lost-import wait-after-import; do
  if FAKE_FAIL=$fault setup_in_scratch "" "$built_libjpeg"; then
    fail "the set-up succeeded although $fault failed"
  fi
  [ -e "$scratch/cache/wineprefix/.tavelko-ready" ] && fail "the prefix is marked ready although $fault failed"
  grep -q "step 'prefix' failed" "$scratch/out" || fail "the prefix step is not named when $fault failed: $(cat "$scratch/out")"
done

# A prefix left unfinished is made again by the next set-up.
FAKE_FAIL=regedit setup_in_scratch "" "$built_libjpeg"
run_setup "" "" || fail "the set-up after a failed one failed: $(cat "$scratch/out")"
[ -f "$scratch/cache/wineprefix/.tavelko-ready" ] || fail "the unfinished prefix was not made again"

# ---- The native fuzz build's and the installer's tools come with the rest ----
# tools/fuzz.sh needs clang with libFuzzer and the sanitizers' runtimes, and libjpeg-turbo's
# headers; the installer package needs wixl.
missing=$(
  # shellcheck source=/dev/null
  source "$root/tools/setup.sh"
  for p in clang libclang-rt-14-dev libjpeg62-turbo-dev wixl; do
    printf '%s\n' "${apt_packages[@]}" | grep -qx "$p" || echo "$p"
  done
)
[ -z "$missing" ] || fail "the set-up does not install what the fuzz targets and the installer need: $missing"

# ---- A failed build fails the command, whatever it printed ----
for printed in "" "main.cpp:1: error: something"; do
  cat > "$fakes/cmake" <<FAKE
#!/usr/bin/env bash
[ "\$1" = --build ] || exit 0
printf '%s' "$printed"
exit 2
FAKE
  chmod +x "$fakes/cmake"
  if (
    export PATH="$fakes:$PATH"
    # shellcheck source=/dev/null
    source "$root/tools/setup.sh"
    mkdir -p "$scratch/build" && touch "$scratch/build/CMakeCache.txt"
    TAVELKO_BUILD_DIR=$scratch/build tavelko_build some_target
  ) > "$scratch/out" 2>&1; then
    fail "a failed build that printed '$printed' counted as built"
  fi
done
rm -f "$fakes/cmake"

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "set-up: all cases passed"
