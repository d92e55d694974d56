#include "CContourRun.h"

#include "CContourProgress.h"
#include "CQENDoc.h"
#include "UiPrompt.h"

#include "hydraulics/ZContourGenerator.h"
#include "model/ZContourSet.h"

bool CContourRun::Generate(CQENDoc& doc, QWidget* owner, UiPrompt& prompt)
{
    ZDrawSettings& ds = doc.Data().GetDrawSettings();
    const ZNetwork& net = doc.Data().GetNetwork();
    ZContourSet set;
    ZContourGenerator::Range range;
    // Refusals and the question about many levels come before the progress window shows.
    ZContourGenerator::Status status = ZContourGenerator::Check(net, ds.ContourKind, ds.ContourInterval, &prompt, range);
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
    return Generate(doc, owner, prompt);
}
