#include "CContourRun.h"

#include "app/dialogs/CContourDlg.h"
#include "app/dialogs/CContourProgress.h"
#include "CQENDoc.h"
#include "views/UiPrompt.h"

#include "hydraulics/ZContourGenerator.h"
#include "model/UnitCategory.h"
#include "model/ZContourSet.h"
#include "model/ZSettingsStore.h"

#include <QVariant>

namespace {
// The interval the user kept against a proposal, per document (a property of the document
// object: it lives as long as the document is open).
const char* const DeclinedInterval = "qenDeclinedContourInterval";

void OfferReadableInterval(CQENDoc& doc, UiPrompt& prompt)
{
    ZDrawSettings& ds = doc.Data().GetDrawSettings();
    const ZNetwork& net = doc.Data().GetNetwork();
    const long levels = ZContourGenerator::LevelCount(net, ds.ContourKind, ds.ContourInterval);
    if (levels <= ZContourGenerator::ReadableLevels)
        return;
    const double proposed = ZContourGenerator::ProposedInterval(net, ds.ContourKind);
    const QVariant declined = doc.property(DeclinedInterval);
    if (!(proposed > 0.0) || (declined.isValid() && declined.toDouble() == ds.ContourInterval))
        return;
    const UnitCategory& head = doc.Settings().Units().Hydr();
    if (prompt.AskYesNo(CContourDlg::ProposalText(levels, ds.ContourInterval, proposed, head))) {
        ds.ContourInterval = proposed;
        doc.SetModifiedFlag(true);
    } else {
        doc.setProperty(DeclinedInterval, ds.ContourInterval);
    }
}
}   // namespace

bool CContourRun::Generate(CQENDoc& doc, QWidget* owner, UiPrompt& prompt)
{
    ZDrawSettings& ds = doc.Data().GetDrawSettings();
    const ZNetwork& net = doc.Data().GetNetwork();
    ZContourSet set;
    ZContourGenerator::Range range;
    // Refusals and the question about many levels come before the progress window shows.
    ZContourGenerator::Status status =
        ZContourGenerator::Check(net, ds.ContourKind, ds.ContourInterval, &prompt, range);
    if (status == ZContourGenerator::Ok) {
        CContourProgress progress(owner, prompt);
        status = ZContourGenerator::Generate(net, ds.ContourKind, ds.ContourInterval, set, &progress);
    }
    if (status == ZContourGenerator::Ok) {
        doc.Data().GetContours() = std::move(set);
    } else {
        doc.Data().GetContours().Clear();
        ds.ContourOption = 0;
        doc.SetModifiedFlag(true);
        const std::string message = ZContourGenerator::Message(status, range.levels);
        if (!message.empty())
            prompt.Warn(message);
    }
    doc.UpdateAllViews(ZNetMsg{ZNetMsg::OptionsChanged});
    return status == ZContourGenerator::Ok;
}

bool CContourRun::GenerateIfShown(CQENDoc& doc, QWidget* owner, UiPrompt& prompt)
{
    const ZDrawSettings& ds = doc.Data().GetDrawSettings();
    if (!ds.ContourOption || !ds.Balanced)
        return false;
    OfferReadableInterval(doc, prompt);
    return Generate(doc, owner, prompt);
}
