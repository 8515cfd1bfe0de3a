#!/usr/bin/env bash
# The Windows Installer package under Wine, in a fresh 64-bit prefix, as an administrator deploys
# it: a silent install puts the program (the 32-bit one into Program Files (x86), as on 64-bit
# Windows), the Start menu shortcut and the uninstall entry in place, with their Bulgarian names;
# the installed program shows its window; a silent uninstall leaves nothing behind. Needs a
# display of its own. Where 32-bit Wine cannot run, the 32-bit package is installed, read back and
# uninstalled all the same, and the check then counts as skipped (status 77), since its program's
# window could not be seen.
# Usage: check_installer.sh PACKAGE.msi WORK_FOLDER x64|x86 {PRODUCT-CODE}
set -euo pipefail
package=$(realpath "$1")
work=$2
arch=$3
product=$4
name="Математика - периметър на правоъгълник"
folder="Program Files"
software="HKLM\\Software"
if [ "$arch" = x86 ]; then  # a 32-bit program's folder and registry view on 64-bit Windows
  folder="Program Files (x86)"
  software="HKLM\\Software\\Wow6432Node"
  unseen=$("$(dirname "$0")/../../scripts/wine32-status") || true
fi
uninstall="$software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product"

rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX=$work/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"  # no Linux menu entries either
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
trap '"$wineserver" -k 2>/dev/null || true' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The icon of the shortcut and of the entry comes from the package's icon table (Wine writes no
# DisplayIcon for it; Windows does).
grep -qP '^ARPPRODUCTICON\tramka.ico' <(msiinfo export "$package" Property) ||
  fail "the package names no icon for its uninstall entry"
grep -qP '^StartMenu\t.*\tramka.ico\t' <(msiinfo export "$package" Shortcut) ||
  fail "the shortcut has no icon"
[ -z "$(msiinfo export "$package" CustomAction | tail -n +4)" ] || fail "the package has custom actions"

"$wine" wineboot --init >/dev/null 2>&1
"$wineserver" -w
drive=$WINEPREFIX/drive_c

# The uninstall entry as text: reg exports UTF-16, read back as UTF-8.
entry() {
  "$wine" reg export "$uninstall" "Z:$work/entry.reg" /y >/dev/null 2>&1 || return 1
  iconv -f UTF-16 -t UTF-8 "$work/entry.reg" | tr -d '\r'
}
shortcuts() { find "$drive" -path '*Start Menu/Programs/*' -name '*.lnk' 2>/dev/null; }

"$wine" msiexec /i "Z:$package" /qn
"$wineserver" -w
[ -f "$drive/$folder/Ramka/ramka.exe" ] || fail "the program is not in $folder\\Ramka"
link=$(shortcuts)
[ "$(basename "$link")" = "$name.lnk" ] || fail "the Start menu holds '$link', not '$name.lnk'"
grep -q "ramka.exe" <(iconv -f UTF-16LE -t UTF-8 -c "$link"; strings "$link") ||
  fail "the shortcut does not lead to ramka.exe"
installed=$(entry) || fail "no uninstall entry"
for line in "\"DisplayName\"=\"$name\"" '"DisplayVersion"="1.00"' \
            '"Publisher"="The Ramka developers"' '"NoModify"=dword:00000001' \
            '"NoRepair"=dword:00000001'; do
  grep -qF "$line" <<<"$installed" || fail "the uninstall entry lacks $line"
done
echo "installed: $drive/$folder/Ramka/ramka.exe, shortcut '$(basename "$link")'"
grep -E '^"(DisplayName|DisplayVersion|Publisher)"' <<<"$installed"

# The installed program starts and shows its window.
if [ -z "${unseen:-}" ]; then
  "$wine" "C:\\$folder\\Ramka\\ramka.exe" &
  timeout 60 xdotool search --sync --onlyvisible --name "периметър на правоъгълник" >/dev/null ||
    fail "the installed program showed no window"
  echo "the installed program showed its window"
  "$wineserver" -k
  "$wineserver" -w 2>/dev/null || true
fi

"$wine" msiexec /x "Z:$package" /qn
"$wineserver" -w
[ ! -e "$drive/$folder/Ramka" ] || fail "$folder\\Ramka is still there"
[ -z "$(shortcuts)" ] || fail "a shortcut is still there: $(shortcuts)"
! entry >/dev/null || fail "the uninstall entry is still there"
echo "uninstalled: no program folder, shortcut or uninstall entry left"
if [ -n "${unseen:-}" ]; then
  echo "skipped: the installed program's window, since $unseen"
  exit 77
fi
