#!/usr/bin/env bash
# Collects every translatable text of the sources and forms into the two
# translation files and fills them (scripts/translations.py holds the texts).
set -euo pipefail
cd "$(dirname "$0")/.."
dirs=()
for d in app base tasks extractor downloads intake network service ui forms; do
    [ -d "$d" ] && dirs+=("$d")
done
lupdate -no-obsolete -locations none "${dirs[@]}" \
    -ts translations/lang_Chinses.ts translations/lang_English.ts
/usr/bin/python3 scripts/translations.py translations
