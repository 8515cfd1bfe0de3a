#!/usr/bin/env bash
# The Linux program is hardened as Debian hardens its packages: hardening-check (devscripts) finds
# PIE, the stack protector, fortified functions, read-only relocations, immediate binding, stack
# clash protection and control-flow protection, and reports no "no". Two of its reports are false
# alarms that its manual describes, and each is accepted only on the evidence that the program
# was built right all the same:
# - "Fortify Source functions: no, only unprotected functions found" when the only unfortified
#   calls are memcpy, memmove and memset (the standard library's own inline code, which the
#   fortified wrappers do not reach) and every source was compiled with -O2 and _FORTIFY_SOURCE;
# - "Control flow integrity: no" when the C library's start files carry no control-flow note
#   (Debian 12's do not, and the linker then marks no program), while the program's own code was
#   compiled with -fcf-protection and its entry points begin with endbr64.
# Usage: check_hardening.sh PROGRAM COMPILE_COMMANDS.json
set -euo pipefail
program=$1
commands=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

report=$(hardening-check --verbose "$program" || true)
echo "$report"
producer=$(readelf --debug-dump=info "$program" 2>/dev/null | grep -m1 DW_AT_producer || true)

while IFS= read -r line; do
  case "$line" in
    *"Fortify Source functions: no, only unprotected functions found!"*)
      unprotected=$(sed -n 's/^\s*unprotected: //p' <<<"$report" | sort -u | tr '\n' ' ')
      [ "$unprotected" = "memcpy memmove memset " ] || [ "$unprotected" = "memcpy memmove " ] ||
        fail "unfortified calls beyond the standard library's: $unprotected"
      python3 - "$commands" <<'PY' || fail "a source compiled without -O2 and _FORTIFY_SOURCE"
import json, sys
commands = [c["command"] for c in json.load(open(sys.argv[1])) if "/src/" in c["file"]]
sys.exit(0 if commands and all("-D_FORTIFY_SOURCE=" in c and "-O2" in c for c in commands) else 1)
PY
      echo "accepted: fortification is on; the calls left are the standard library's: $unprotected" ;;
    *"Control flow integrity: no"*)
      start_files=$(gcc -print-file-name=crti.o)
      ! readelf -n "$start_files" | grep -q "x86 feature: IBT" ||
        fail "control-flow protection is missing though the C library's start files have it"
      grep -q -- "-fcf-protection" <<<"$producer" || fail "the program was compiled without -fcf-protection"
      objdump -d --disassemble=main "$program" | grep -A1 "<main>:" | grep -q endbr64 ||
        fail "main does not begin with endbr64"
      echo "accepted: the code is compiled with -fcf-protection (main begins with endbr64); $start_files carries no note" ;;
    *": no"*) fail "$line" ;;
  esac
done <<<"$report"
grep -q -- "-fstack-clash-protection" <<<"$producer" || fail "compiled without -fstack-clash-protection"
