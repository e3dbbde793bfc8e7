#!/usr/bin/env bash
# Static checks of a Windows program that cannot run here:
#   check-pe.sh PROGRAM.exe FORMAT
# FORMAT is objdump's name for the expected machine (pei-i386, pei-x86-64).
# The program must be of that format, a GUI or console program, and import
# only DLLs that every Windows installation has.
set -euo pipefail
program=$1 format=$2
objdump=x86_64-w64-mingw32-objdump
[ "$format" = pei-i386 ] && objdump=i686-w64-mingw32-objdump
status=0

actual=$($objdump -f "$program" | sed -n 's/.*file format //p')
if [ "$actual" != "$format" ]; then echo "FAIL: $program is $actual, not $format"; status=1; fi

allowed='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comdlg32|comctl32|shlwapi|msvcrt|uxtheme)\.dll$'
while read -r dll; do
  if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed"; then
    echo "FAIL: $program imports $dll, which is not a system DLL"; status=1
  fi
done < <($objdump -p "$program" | sed -n 's/^\s*DLL Name: //p')

[ $status = 0 ] && echo "ok: $program ($format, system DLLs only)"
exit $status
