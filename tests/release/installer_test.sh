#!/usr/bin/env bash
# The installer as a Windows user runs it, in a fresh Wine prefix on a screen of its own: an
# earlier version installed silently, then this one over it (one entry left, this version's); both
# programs started from the Start menu shortcuts' targets; a comic saved to the user's documents,
# the page's settings going to the user's application data (Program Files is no place for them);
# then uninstalled: programs, shortcuts and uninstall entry gone, the comic and settings kept.
# Usage: installer_test.sh MSI EARLIER_MSI PROBE VERSION
set -u
msi=$1 earlier=$2 probe=$3 version=$4
# shellcheck source=fresh_prefix.sh
source "$(dirname "$0")/fresh_prefix.sh"
drive_c=$WINEPREFIX/drive_c
cp "$earlier" "$drive_c/earlier.msi" && cp "$msi" "$drive_c/tavelko.msi" || exit 1

# msiexec's own log tells why, when it fails.
msiexec_quietly() {
  wine msiexec "$@" /qn /l*v 'C:\msiexec.log' </dev/null >/dev/null 2>&1 && wineserver -w && return 0
  echo "msiexec $* failed; the end of its log:"
  iconv -f UTF-16LE -t UTF-8 "$drive_c/msiexec.log" 2>/dev/null | tail -n 20
  return 1
}

# The uninstall entries named Tavelko, as "key|version|publisher" lines.
uninstall_entries() {
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s </dev/null 2>/dev/null | tr -d '\r' |
    awk '/^HKEY/ { if (name == "Tavelko") print key "|" version "|" publisher; key = $0; name = version = publisher = "" }
         $1 == "DisplayName" { name = substr($0, index($0, "REG_SZ") + 10) }
         $1 == "DisplayVersion" { version = substr($0, index($0, "REG_SZ") + 10) }
         $1 == "Publisher" { publisher = substr($0, index($0, "REG_SZ") + 10) }
         END { if (name == "Tavelko") print key "|" version "|" publisher }'
}

value_of() { sed -n "s/^$1=//p" <<<"$2"; }

folders=$(run_probe folders) || { echo "no shell folders: $folders"; exit 1; }
documents=$(winepath -u "$(value_of Documents "$folders")")
# Wine links the documents folder to the Unix home: this test's comic goes to a folder of its own.
if [ -L "$documents" ]; then rm "$documents" && mkdir "$documents" || exit 1; fi
appdata=$(winepath -u "$(value_of AppData "$folders")")
program_files="$drive_c/Program Files/Tavelko"

msiexec_quietly /i 'C:\earlier.msi' || exit 1
msiexec_quietly /i 'C:\tavelko.msi' || exit 1
entries=$(uninstall_entries)
[ "$(wc -l <<<"$entries")" = 1 ] && [ "$(cut -d'|' -f2,3 <<<"$entries")" = "$version|The Tavelko developers" ] ||
  fail "after the upgrade the uninstall entries are:"$'\n'"$entries"

# The all-users Start menu on Windows; Wine's installer puts a per-machine package's shortcuts
# into the user's.
for menu in CommonPrograms Programs; do
  menu="$(winepath -u "$(value_of $menu "$folders")")/Tavelko"
  [ -d "$menu" ] && break
done

# check_program SHORTCUT WINDOW_CLASS PROGRAM: the shortcut starts PROGRAM in the installed
# folder, and its window shows.
check_program() {
  local link="$menu/$1.lnk" output
  [ -f "$link" ] || { fail "no Start menu shortcut $1"; return; }
  output=$(run_probe shortcut "$(winepath -w "$link")") || { fail "$1: $output"; return; }
  [ "$(value_of Target "$output")" = "$3" ] && [ "$(value_of WorkingDirectory "$output")" = 'C:\Program Files\Tavelko\' ] ||
    fail "the shortcut $1 is: $output"
  output=$(run_probe window "$(value_of Target "$output")" "$2") || fail "$1 showed no window: $output"
}

tavelko='C:\Program Files\Tavelko\Tavelko.exe'
check_program Tavelko TMainForm1 "$tavelko"
check_program 'Tavelko Designer Workbench' TWorkbenchForm 'C:\Program Files\Tavelko\Workbench.exe'

comic="$documents/My comic.jpg"
output=$(run_probe save "$tavelko" "$(winepath -w "$comic")") || fail "saving a comic: $output"
[ -s "$comic" ] || fail "no comic in the documents folder"
# The page remembered the comic: in the user's settings, not beside the installed program.
grep -q RecentComics < <(iconv -f UTF-16LE -t UTF-8 "$appdata/Tavelko/Tavelko.ini" 2>/dev/null) ||
  fail "the page's settings are not in $appdata/Tavelko"
[ ! -e "$program_files/Tavelko.ini" ] || fail "the page wrote its settings into Program Files"
[ -f "$appdata/Tavelko/Workbench.ini" ] || fail "the workbench's recent stages are not in $appdata/Tavelko"

msiexec_quietly /x 'C:\tavelko.msi' || exit 1
[ ! -e "$program_files" ] || fail "left behind: $(cd "$program_files" && find . | tr '\n' ' ')"
[ ! -e "$menu" ] || fail "the Start menu folder stayed: $(ls "$menu")"
[ -z "$(uninstall_entries)" ] || fail "the uninstall entry stayed"
wine reg query 'HKLM\Software\Tavelko' </dev/null >/dev/null 2>&1 && fail "the registry key HKLM\\Software\\Tavelko stayed"
[ -s "$comic" ] || fail "uninstalling took the user's comic"
[ -f "$appdata/Tavelko/Tavelko.ini" ] || fail "uninstalling took the user's settings"

if [ "$failures" -gt 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "installer $version: upgrades, starts both programs, uninstalls and keeps what the user made"
