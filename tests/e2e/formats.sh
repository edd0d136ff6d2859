# The two data files whose format the scenarios depend on: the language files (to know what a
# window must say) and the requirements file (to make a check fail, or the run break). Everything
# that knows their layout is here, so a change of format is mended in this one place.

# Language file lines: KEY=text in any section, ";" comments, UTF-8 with or without a BOM; the
# text may hold the escapes \n, \t and \\.
lang_text() {  # KEY [LANG-DIR]: the text of KEY in the staged language file of that language
    local key="$1" lang="${2:-EN}" file
    file="$STAGE/localization/$lang/interpreter_local.ini"
    [[ -f $file ]] || file="$STAGE/interpreter_local.ini"
    [[ -f $file ]] || { echo "no language file staged" >&2; return 1; }
    sed -e '1s/^\xEF\xBB\xBF//' -e 's/\r$//' "$file" | awk -v key="$key" '
        { line = $0; sub(/^[ \t]+/, "", line) }
        toupper(substr(line, 1, length(key))) == toupper(key) {
            rest = substr(line, length(key) + 1); sub(/^[ \t]*/, "", rest)
            if (substr(rest, 1, 1) != "=") next
            raw = substr(rest, 2); sub(/^[ \t]+/, "", raw); sub(/[ \t]+$/, "", raw)
            value = ""
            for (i = 1; i <= length(raw); i++) {
                c = substr(raw, i, 1); n = substr(raw, i + 1, 1)
                if (c == "\\" && (n == "n" || n == "t" || n == "\\")) {
                    c = n == "n" ? "\n" : n == "t" ? "\t" : "\\"; i++
                }
                value = value c
            }
            print value; found = 1; exit
        }
        END { exit found ? 0 : 1 }'
}

# The requirements file is the staged .ini beside the program that is not a language file.
requirements_file() {  # DIR
    local f found=()
    for f in "$1"/*.ini; do
        [[ -f $f && $(basename "$f") != interpreter_local.ini ]] && found+=("$f")
    done
    [[ ${#found[@]} -ge 1 ]] || { echo "no requirements file in $1" >&2; return 1; }
    # Several candidates: the one named for what it holds.
    for f in "${found[@]}"; do [[ ${f,,} == *requir* ]] && { echo "$f"; return 0; }; done
    echo "${found[0]}"
}

# A requirement no machine meets: every whole-number figure (memory, video memory, disk, clock,
# processor count) asks for a thousand times as much. Fractional figures (scores) are left.
requirements_demand_more() {  # FILE
    sed -i -E 's/^([ \t]*[^;#[][^=]*=[ \t]*"?)([0-9]+)("?[ \t]*\r?)$/\1\2000\3/' "$1"
}

# A file the library cannot read as requirements at all.
requirements_break() {  # FILE
    printf '[[[ not a requirements file\nthis line has no key\n' >"$1"
}
