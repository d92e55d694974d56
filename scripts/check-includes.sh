#!/usr/bin/env bash
# Fails when a folder includes one above it, or when Qt shows up where it must not.
#   core (model, persist, hydraulics) -> core only; views -> core; app and cad -> views and core;
#   cli -> core; cadbridge -> nothing of ours. Tests, benchmarks and fuzzers may use anything.
root=${1:-.}
cd "$root" || exit 2

allowed() {
    case $1 in
    model) echo "model" ;;
    persist) echo "model persist" ;;
    hydraulics) echo "model persist hydraulics" ;;
    views) echo "model persist hydraulics views" ;;
    app | cad) echo "model persist hydraulics views app cad" ;;
    cli) echo "model persist hydraulics cli" ;;
    cadbridge) echo "cadbridge" ;;
    esac
}
ours="model persist hydraulics views app cad cli cadbridge"

status=0
for dir in $ours; do
    [ -d "$dir" ] || continue
    ok=" $(allowed "$dir") "
    while IFS= read -r hit; do
        file=${hit%%:*}
        rest=${hit#*:}
        line=${rest%%:*}
        target=$(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"(\.\.\/)*([^"/]+)\/.*/\2/p' <<<"${rest#*:}")
        [ -n "$target" ] || continue
        case " $ours " in *" $target "*) ;; *) continue ;; esac
        if [[ $ok != *" $target "* ]]; then
            echo "$file:$line: $dir must not include $target/" >&2
            status=1
        fi
    done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' --include='*.h' --include='*.hpp' --include='*.cpp' "$dir")
done

# Qt stays out of the core, the command line and the bridge.
qtfree=()
for d in model persist hydraulics cli cadbridge; do [ -d "$d" ] && qtfree+=("$d"); done
hits=$(grep -rnE '#[[:space:]]*include[[:space:]]*[<"]Q[A-Za-z]|\bQ(String|Object|Widget|Vector|List|Map|Byte|Variant|Settings|Painter|Point|Rect|Image|File|Dir|Debug)[A-Za-z]*\b|\bQ_[A-Z]+|\bqDebug\b' \
    --include='*.h' --include='*.hpp' --include='*.cpp' --include='*.txt' "${qtfree[@]}" 2>/dev/null)
if [ -n "$hits" ]; then
    echo "Qt found in the core, the command line or the bridge:" >&2
    echo "$hits" >&2
    status=1
fi
exit $status
