#!/usr/bin/env bash
# tests/app/check_literal_texts.py on a scratch tree: Chinese passed to the interface without tr()
# fails naming file and line; translated, marked or English texts pass.
set -euo pipefail
src=${1:?usage: test_check_literal_texts.sh SOURCE_DIR}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
check() { /usr/bin/python3 "$src/tests/app/check_literal_texts.py" "$scratch" >"$scratch/out" 2>&1; }
mkdir -p "$scratch/app/dialogs" "$scratch/views" "$scratch/cad"

cat >"$scratch/app/dialogs/Good.cpp" <<'CPP'
// 注释里的中文不算
const char* const kItems[] = {QT_TRANSLATE_NOOP("Good", "节点"), QT_TR_NOOP("管道")};
void Good::Make()
{
    setWindowTitle(tr("查找"));
    label->setText(tr("第一行"
                      "第二行"));
    auto s = QCoreApplication::translate("Good", "水泵");
    auto e = QStringLiteral("English only");
    writer.Layer("节点图层");   // untranslated: the layer name is written into the drawing
}
CPP
check || fail "translated texts refused: $(cat "$scratch/out")"

cat >"$scratch/views/Bad.cpp" <<'CPP'
void Bad::Make()
{
    setWindowTitle(QStringLiteral("查找"));
    m_prompt.Warn("请输入一个数。");
    box->addItem(QString::fromUtf8(u8"阀门"));
}
CPP
if check; then fail "untranslated texts passed"; fi
for line in 3 4 5; do
    grep -q "^views/Bad.cpp:$line: " "$scratch/out" || fail "line $line not named: $(cat "$scratch/out")"
done
grep -q "Good.cpp" "$scratch/out" && fail "a translated text named: $(cat "$scratch/out")"
echo ok
