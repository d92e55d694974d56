#!/usr/bin/env bash
# scripts/check-includes.sh on a scratch tree: each include against the layers fails naming the file,
# line and both folders; the same includes in the allowed direction pass.
set -euo pipefail
src=${1:?usage: test_check_includes.sh SOURCE_DIR}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

for d in model persist persist/project persist/text persist/epanet edit hydraulics views cad app app/dialogs \
    app/options app/commands app/frames cli cadbridge text; do
    mkdir -p "$scratch/$d"
done
put() { printf '%s\n' "${@:2}" >"$scratch/$1"; }

# Allowed: downwards, within a folder, and the bare name of a file beside one.
put persist/text/TextExchange.cpp '#include "TextExchange.h"' '#include "persist/AtomicFileWriter.h"' \
    '#include "model/ZDocument.h"'
put persist/epanet/Inp.cpp '#include "../InputFile.h"'
put edit/ZCadImport.cpp '#include "persist/project/ProjectFile.h"'
put cad/CCadProgress.cpp '#include "views/CProgressWnd.h"' '#include "edit/ZCadImport.h"' '#include "cadbridge/CadBridge.h"'
put app/options/COptionSheet.cpp '#include "COptionPage.h"' '#include "app/dialogs/CColorCombo.h"'
put app/commands/CQENDoc.cpp '#include "app/options/COptionSheet.h"' '#include "app/dialogs/CReportWindow.h"'
put app/frames/CMainFrame.cpp '#include "app/commands/CQENDoc.h"' '#include "cad/CCadImportCommand.h"'
put app/CQENApp.cpp '#include "app/frames/CMainFrame.h"' '#include "CQENDocManager.h"'
put cli/main.cpp '#include "text/TextLanguage.h"' '#include "report/ZReportBuilder.h"'
put views/ZGridColumns.cpp '#include "text/CCoreText.h"'
bash "$src/scripts/check-includes.sh" "$scratch" 2>"$scratch/out" || fail "allowed includes refused: $(cat "$scratch/out")"

# Refused: one of each kind, upwards or sideways.
put persist/epanet/InpImporter.cpp '#include "model/ZDocument.h"' '#include "persist/text/TextImporter.h"'
put persist/AtomicFileWriter.cpp '#include "project/ProjectFile.h"'
put edit/ZNetEditor.cpp '#include "hydraulics/ZBalanceRun.h"'
put cad/CCadImportCommand.cpp '#include "app/dialogs/CProgressWnd.h"'
put app/dialogs/CContourDlg.cpp '#include "../commands/CContourRun.h"'
put app/options/COptionSheet.cpp '#include "app/commands/CQENDoc.h"'
put app/commands/CCalcCommands.cpp '#include "app/frames/CMainFrame.h"'
put app/frames/CChildFrame.cpp '#include "app/CQENApp.h"'
put views/CQENView.cpp '#include "edit/ZNetEditor.h"' '#include "cad/CCadProgress.h"'
put text/CCoreText.cpp '#include "model/ZDocument.h"'
if bash "$src/scripts/check-includes.sh" "$scratch" 2>"$scratch/out"; then
    fail "wrong includes passed"
fi
for want in "persist/epanet/InpImporter.cpp:2: persist/epanet must not include persist/text/" \
    "persist/AtomicFileWriter.cpp:1: persist must not include persist/project/" \
    "edit/ZNetEditor.cpp:1: edit must not include hydraulics/" \
    "cad/CCadImportCommand.cpp:1: cad must not include app/dialogs/" \
    "app/dialogs/CContourDlg.cpp:1: app/dialogs must not include app/commands/" \
    "app/options/COptionSheet.cpp:1: app/options must not include app/commands/" \
    "app/commands/CCalcCommands.cpp:1: app/commands must not include app/frames/" \
    "app/frames/CChildFrame.cpp:1: app/frames must not include app/" \
    "views/CQENView.cpp:2: views must not include cad/" \
    "text/CCoreText.cpp:1: text must not include model/"; do
    grep -qF "$want" "$scratch/out" || fail "not reported: $want (got: $(cat "$scratch/out"))"
done
[ "$(wc -l <"$scratch/out")" -eq 10 ] || fail "more refused than the ten: $(cat "$scratch/out")"
echo "ok"
