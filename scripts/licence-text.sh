#!/usr/bin/env bash
# Prints the licence as the program's own read-me states it (its "1. Licencia"
# section, src/ui/leeme.cpp), in UTF-8 with Unix line ends:
#
#   scripts/licence-text.sh
#
# LICENCIA.txt in the Windows downloads and the .deb's copyright file are
# made from it, so the three never say different things.
set -euo pipefail

leeme=$(cd "$(dirname "$0")/.." && pwd)/src/ui/leeme.cpp
text=$(sed -n '/"1\. Licencia/,/"antes lo que tengas a medias/p' "$leeme" |
  sed -E 's/^[[:space:]]*"//; s/\\r\\n"$//; s/\\"/"/g')
if [[ $text != *freeware* ]]; then
  echo "licence-text: no licence paragraph found in $leeme" >&2
  exit 1
fi
printf '%s\n' "$text"
