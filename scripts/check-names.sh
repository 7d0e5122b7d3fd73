#!/usr/bin/env bash
# Fails, listing them, when a member name in the project's own C++ files is
# not m_camelCase, or carries a type prefix (m_bFlag, m_pThing, m_strName...)
# without being one of the inherited field names in
# scripts/inherited-field-names.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' ':!:third_party/*')
misnamed=$(grep -noE '\bm_[A-Za-z0-9_]+' "${files[@]}" | awk -F: '
    FNR == NR { if ($0 !~ /^#/ && $0 != "") inherited[$0] = 1; next }
    {
        name = $3
        if (name !~ /^m_[a-z][A-Za-z0-9]*$/ ||
            (name ~ /^m_(b|i|p|str|dw|n|o|rc|h)[A-Z]/ && !(name in inherited)))
            print "  " $1 ":" $2 ": " name
    }' scripts/inherited-field-names.txt -)
if [ -n "$misnamed" ]; then
    echo "Members not named m_camelCase (type prefixes only for the names in scripts/inherited-field-names.txt):"
    echo "$misnamed"
    exit 1
fi
echo "all member names in ${#files[@]} C++ files follow m_camelCase"
