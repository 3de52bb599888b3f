#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a name coined in the code is Spanish: a part of an identifier
# (split at case changes, digits and underscores) found in spanish_words.txt,
# once the design's own names (design_names.txt) are taken out of it.
# Strings and comments are not looked at. Usage: check_names.sh SOURCE_ROOT
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "${1:-$here/../..}"
find app batch bench files fuzz model number_text program_error exponential training ui tests \
     \( -name '*.cpp' -o -name '*.h' \) -not -name power_table.h -print0 | sort -z |
  xargs -0 awk -v words="$here/spanish_words.txt" -v design="$here/design_names.txt" '
    BEGIN {
      while ((getline w < words) > 0) if (w !~ /^#/ && w != "") spanish[w] = 1
      # The design names, longest first, so that a longer one is taken out whole.
      n = 0
      # A class of the design is also named without its "T" (test suites).
      while ((getline d < design) > 0) if (d != "") {
        names[++n] = tolower(d)
        if (d ~ /^T[A-Z][a-z]/) names[++n] = tolower(substr(d, 2))
      }
      for (i = 1; i <= n; ++i) for (j = i + 1; j <= n; ++j)
        if (length(names[j]) > length(names[i])) { t = names[i]; names[i] = names[j]; names[j] = t }
    }
    FNR == 1 { inBlock = 0 }
    {
      line = $0
      if (inBlock) { if (sub(/^.*\*\//, "", line)) inBlock = 0; else next }
      gsub(/\/\*([^*]|\*[^\/])*\*\//, "", line)
      if (sub(/\/\*.*$/, "", line)) inBlock = 1
      gsub(/"([^"\\]|\\.)*"/, "", line)
      gsub(/\047([^\047\\]|\\.)\047/, "", line)
      sub(/\/\/.*$/, "", line)
      while (match(line, /[A-Za-z_][A-Za-z0-9_]*/)) {
        name = substr(line, RSTART, RLENGTH)
        line = substr(line, RSTART + RLENGTH)
        if (name in seen) { if (seen[name]) report(name); continue }
        seen[name] = spanishName(name)
        if (seen[name]) report(name)
      }
    }
    function report(name) { if (!((FILENAME, name) in shown)) { shown[FILENAME, name] = 1; print FILENAME ":" FNR ": " name; bad = 1 } }
    # Whether a word of the name, split at case changes, digits and
    # underscores, is Spanish and not inside one of the design names.
    function spanishName(name,    low, mask, i, j, p, c, prev, word, from) {
      low = tolower(name)
      mask = low
      for (i = 1; i <= n; ++i) {
        from = 1
        while ((p = index(substr(mask, from), names[i])) > 0) {
          p += from - 1
          mask = substr(mask, 1, p - 1) sprintf("%" length(names[i]) "s", "") substr(mask, p + length(names[i]))
          from = p + length(names[i])
        }
      }
      word = ""; from = 1; prev = ""
      for (j = 1; j <= length(name) + 1; ++j) {
        c = j <= length(name) ? substr(name, j, 1) : "_"
        if (c ~ /[0-9_]/ || (c ~ /[A-Z]/ && prev ~ /[a-z]/)) {
          if (tolower(word) in spanish && substr(mask, from, length(word)) == tolower(word)) return 1
          word = ""; from = j
          if (c ~ /[0-9_]/) { from = j + 1; prev = c; continue }
        }
        word = word c; prev = c
      }
      return 0
    }
    END { exit bad }
  ' && exit 0
echo "Spanish coined names above: name them in English, or list a name of the design in design_names.txt." >&2
exit 1
