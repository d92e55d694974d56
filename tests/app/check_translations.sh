#!/usr/bin/env bash
# Scans the Qt folders as the update_translations target does, into a copy of the repository's
# .ts, and fails when a text has no English translation there.
#   check_translations.sh LUPDATE SOURCE_DIR WORK_DIR
set -euo pipefail
lupdate=$1 src=$2 work=$3
mkdir -p "$work"
cp "$src/app/translations/qen_en.ts" "$work/qen_en.ts"
cd "$src"
"$lupdate" -silent -locations none -no-obsolete -source-language zh_CN -target-language en \
    -extensions cpp,h,ui app views cad text -ts "$work/qen_en.ts"
/usr/bin/python3 "$src/tests/app/check_translations.py" "$work/qen_en.ts"
