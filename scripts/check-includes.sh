#!/usr/bin/env bash
# Fails when a folder includes one above it, or when Qt shows up where it must not.
#   core: model -> model; persist -> model; its kinds of file (persist/project, persist/text,
#   persist/epanet) -> persist and model, never each other; edit and hydraulics -> model and all of
#   persist; report -> model, persist and hydraulics; gis (GIS data through GDAL) -> model, persist
#   and edit. text (the core's texts in the user's language, QtCore only) -> nothing of ours.
#   views -> core and text. cad -> views and core. app: dialogs -> views and core; options ->
#   dialogs; commands -> options and dialogs; frames -> commands and cad; app itself (the
#   application) -> all of these. cli -> core and text (its Qt-free header TextLanguage.h; Qt
#   stays out of cli's own files). cadbridge -> nothing of ours. The program and the
#   command-line tool (cad, app, cli) link the bridge like any library with a C interface. Tests,
#   benchmarks and fuzzers may use anything.
root=${1:-.}
cd "$root" || exit 2

files="persist persist/project persist/text persist/epanet"
core="model $files edit hydraulics report gis"
allowed() {
    case $1 in
    model) echo "model" ;;
    persist) echo "model persist" ;;
    persist/*) echo "model persist $1" ;;
    edit) echo "model $files edit" ;;
    hydraulics) echo "model $files hydraulics" ;;
    report) echo "model $files hydraulics report" ;;
    gis) echo "model $files edit gis" ;;
    text) echo "text" ;;
    views) echo "$core text views" ;;
    cad) echo "$core text views cad cadbridge" ;;
    app/dialogs) echo "$core text views app/dialogs" ;;
    app/options) echo "$core text views app/dialogs app/options" ;;
    app/commands) echo "$core text views app/dialogs app/options app/commands" ;;
    app/frames) echo "$core text views cad cadbridge app/dialogs app/options app/commands app/frames" ;;
    app) echo "$core text views cad cadbridge app/dialogs app/options app/commands app/frames app" ;;
    cli) echo "$core cli cadbridge text" ;;
    cadbridge) echo "cadbridge" ;;
    esac
}
units="$core text views cad app/dialogs app/options app/commands app/frames app cli cadbridge"

# Each quoted include as "file<TAB>line<TAB>folder of the file<TAB>folder of what it includes":
# a path starting with one of our folders is from the top, any other from the including file.
edges() {
    grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' --include='*.h' --include='*.hpp' --include='*.cpp' \
        model persist edit hydraulics report gis text views cad app cli cadbridge 2>/dev/null |
        awk -v units=" $units " '
        function norm(p,    n, i, parts, out, k) {
            n = split(p, parts, "/"); k = 0
            for (i = 1; i <= n; i++) {
                if (parts[i] == "" || parts[i] == ".") continue
                if (parts[i] == "..") { if (k > 0) k--; continue }
                out[++k] = parts[i]
            }
            p = ""
            for (i = 1; i <= k; i++) p = p (i > 1 ? "/" : "") out[i]
            return p
        }
        function unit(path,    d) {
            d = path
            while (d != "") {
                if (index(units, " " d " ")) return d
                if (!sub(/\/[^\/]*$/, "", d)) d = ""
            }
            return ""
        }
        {
            file = $0; sub(/:.*/, "", file)
            rest = substr($0, length(file) + 2)
            line = rest; sub(/:.*/, "", line)
            inc = rest; sub(/^[^"]*"/, "", inc); sub(/".*/, "", inc)
            top = inc; sub(/\/.*/, "", top)
            dir = file; sub(/\/[^\/]*$/, "", dir)
            if (inc ~ /\// && index(" model persist edit hydraulics report gis text views cad app cli cadbridge ", " " top " "))
                target = norm(inc)
            else
                target = norm(dir "/" inc)
            sub(/\/[^\/]*$/, "", target)
            from = unit(dir); to = unit(target)
            if (from != "" && to != "") print file "\t" line "\t" from "\t" to
        }'
}

status=0
while IFS=$'\t' read -r file line from to; do
    ok=" $(allowed "$from") "
    if [[ $ok != *" $to "* ]]; then
        echo "$file:$line: $from must not include $to/" >&2
        status=1
    fi
done < <(edges)

# Qt stays out of the core, the command line and the bridge.
qtfree=()
for d in model persist edit hydraulics report gis cli cadbridge; do [ -d "$d" ] && qtfree+=("$d"); done
hits=$(grep -rnE '#[[:space:]]*include[[:space:]]*[<"]Q[A-Za-z]|\bQ(String|Object|Widget|Vector|List|Map|Byte|Variant|Settings|Painter|Point|Rect|Image|File|Dir|Debug)[A-Za-z]*\b|\bQ_[A-Z]+|\bqDebug\b' \
    --include='*.h' --include='*.hpp' --include='*.cpp' --include='*.txt' "${qtfree[@]}" 2>/dev/null)
if [ -n "$hits" ]; then
    echo "Qt found in the core, the command line or the bridge:" >&2
    echo "$hits" >&2
    status=1
fi
exit $status
