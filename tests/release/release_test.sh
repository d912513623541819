#!/usr/bin/env bash
# The release as a Windows user gets it: the zip unpacked into an empty folder of a fresh Wine
# prefix (nothing installed, so no runtime DLL to find) holds exactly the expected files; each
# program starts there and shows its main window, and its version resource read back through the
# Windows API names the release's version; the page saves the same comic at 96 and 144 dpi. A
# screen of its own keeps these windows away from the tests running beside it.
# Usage: release_test.sh ZIP PROBE VERSION
set -u
zip=$1 probe=$2 version=$3
# shellcheck source=fresh_prefix.sh
source "$(dirname "$0")/fresh_prefix.sh"
folder=$WINEPREFIX/drive_c/Tavelko
mkdir "$folder" && (cd "$folder" && cmake -E tar xf "$zip") || { echo "$zip cannot be unpacked"; exit 1; }

expected="License.txt
Licenses/libjpeg-turbo-LICENSE.txt
Licenses/libjpeg-turbo-README-IJG.txt
Licenses/winpthreads-LICENSE.txt
ReadMe.txt
Tavelko.exe
Workbench.exe"
unpacked=$(cd "$folder" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$unpacked" = "$expected" ] || fail "the zip holds:"$'\n'"$unpacked"
empty=$(cd "$folder" && find . -type f -empty)
[ -z "$empty" ] || fail "empty files in the zip: $empty"

# expect_lines OUTPUT WHAT LINE...: each LINE is a whole line of OUTPUT.
expect_lines() {
  local output=$1 what=$2 line missing=()
  shift 2
  for line in "$@"; do
    grep -qxF -- "$line" <<<"$output" || missing+=("'$line'")
  done
  [ ${#missing[@]} -eq 0 ] || fail "$what lacks ${missing[*]} in:"$'\n'"$output"
}

# check_program FILE WINDOW_CLASS TITLE NAME DESCRIPTION
check_program() {
  local file=$1 class=$2 title=$3 name=$4 description=$5 output
  output=$(run_probe window "C:\\Tavelko\\$file" "$class") || fail "$file showed no window: $output"
  expect_lines "$output" "$file's window" "Title=$title" "Responding=yes" "ExitCode=0"
  output=$(run_probe version "C:\\Tavelko\\$file") || fail "$file's version resource: $output"
  expect_lines "$output" "$file's version resource" "FixedFileVersion=$version.0" "FixedProductVersion=$version.0" \
    "ProductName=Tavelko" "ProductVersion=$version" "FileVersion=$version" "FileDescription=$description" \
    "LegalCopyright=Copyright (C) 2026 The Tavelko developers" "InternalName=$name" "OriginalFilename=$file"
}

check_program Tavelko.exe TMainForm1 Tavelko Tavelko "Tavelko comic page"
check_program Workbench.exe TWorkbenchForm "Tavelko Designer Workbench" Workbench "Tavelko designer workbench"

# The page is a pixel design: the comic saved on a screen of 144 dpi (Wine's LogPixels, read by a
# new Wine server) is the one saved at 96 dpi, byte for byte.
save_at_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1 || return 1
  wineserver -k
  wineserver -w
  run_probe save 'C:\Tavelko\Tavelko.exe' "C:\\comic-$1.jpg"
}
for dpi in 96 144; do
  output=$(save_at_dpi $dpi) || fail "saving at $dpi dpi: $output"
  expect_lines "$output" "saving at $dpi dpi" "ScreenDpi=$dpi" "ExitCode=0"
done
if [ -s "$WINEPREFIX/drive_c/comic-96.jpg" ] && [ -s "$WINEPREFIX/drive_c/comic-144.jpg" ]; then
  cmp -s "$WINEPREFIX/drive_c/comic-96.jpg" "$WINEPREFIX/drive_c/comic-144.jpg" ||
    fail "the comic saved at 144 dpi differs from the one saved at 96 dpi"
else
  fail "no comics saved to compare"
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "release $version: both programs start in a fresh prefix and carry their version"
