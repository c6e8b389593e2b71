#!/usr/bin/env bash
# Checks a built ZELSTR.dll as the host will meet it:
#   a PE32 image for i386; exports exactly the names of its module-definition file;
#   imports err, OrlParseBlock, OrlReadBlock and OrlWriteBlock from ORLKIT.dll;
#   needs no DLL other than ORLKIT.dll and Windows' own; ZelMain returns with ret $0x4.
# Usage: check-pe.sh OBJDUMP DLL DEF
set -uo pipefail
objdump=$1 dll=$2 def=$3
failures=0
fail() { echo "check-pe: FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "check-pe: ok: $*"; }

headers=$("$objdump" -p "$dll") || { fail "objdump cannot read $dll"; exit 1; }

if grep -q 'file format pei-i386' <<<"$headers" && grep -q 'Magic.*010b' <<<"$headers" &&
   "$objdump" -f "$dll" | grep -q 'architecture: i386'; then
  pass "PE32 image for i386"
else
  fail "not a PE32 i386 image"
fi

want_exports=$(awk 'toupper($1) == "EXPORTS" { on = 1; next } on && NF && $1 !~ /^;/ { print $1 }' "$def" | sort)
have_exports=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" |
               sed -n 's/^\s*\[ *[0-9]*\] \(.*\)$/\1/p' | sort)
if [ "$have_exports" = "$want_exports" ]; then
  pass "exports exactly: $(echo $have_exports)"
else
  fail "exports '$(echo $have_exports)', module-definition file says '$(echo $want_exports)'"
fi

imports_of() {
  sed -n "/DLL Name: $1\$/,/^\$/p" <<<"$headers" | awk 'NR > 2 && NF >= 3 { print $3 }' | sort
}
have_orlkit=$(imports_of ORLKIT.dll)
want_orlkit=$(printf '%s\n' OrlParseBlock OrlReadBlock OrlWriteBlock err | sort)
if [ "$have_orlkit" = "$want_orlkit" ]; then
  pass "imports from ORLKIT.dll: $(echo $have_orlkit)"
else
  fail "imports from ORLKIT.dll are '$(echo $have_orlkit)'"
fi

system_dll='^(KERNEL32|msvcrt|USER32|ADVAPI32|ntdll|ucrtbase|api-ms-win-.*)\.dll$'
others=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | grep -v -x ORLKIT.dll | grep -v -i -E "$system_dll")
if [ -z "$others" ]; then
  pass "no other non-system DLL ($(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr '\n' ' '))"
else
  fail "needs other DLLs: $(echo $others)"
fi

body=$("$objdump" -d --disassemble='_ZelMain@4' "$dll" |
       awk '/<_ZelMain@4>:/ { on = 1; next } on && /^$/ { exit } on' |
       grep -v -E '\s(nop|xchg\s+%ax,%ax|lea\s+0x0.*)\s*$|\snop[wl]?\s')
last=$(tail -n 1 <<<"$body")
if [ -n "$body" ] && grep -q 'ret\s*\$0x4' <<<"$last" && ! grep -q -E '\sret\s*$' <<<"$body"; then
  pass "ZelMain ends with ret \$0x4 (stdcall, one argument)"
else
  fail "ZelMain does not return with ret \$0x4: '$last'"
fi

[ "$failures" = 0 ] || exit 1
