#pragma once
#include <QCoreApplication>
#include "views/CommandTarget.h"

class CCommandWindow;
class CQENDoc;
class KeyValueStore;
class UiPrompt;
class QWidget;
class ZSettingsStore;

// The calculation commands on the active document: node flow allocation (dialog 190), network
// cost (dialog 191), contour settings (dialog 192) and the parameter calculator (dialog 10051).
// Every change they make to the network is one step of the document's edit history.
class CCalcCommands : public CommandTarget {
    Q_DECLARE_TR_FUNCTIONS(CCalcCommands)

public:
    CCalcCommands(CCommandWindow& window, UiPrompt& prompt, KeyValueStore& profile, ZSettingsStore& settings);

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CommandState& state) override;

    void NodeFlows(CQENDoc& doc);
    void NetCost(CQENDoc& doc);
    // 管径优化: the dialog, then its result as one edit step and a report of the changed pipes.
    void PipeSizing(CQENDoc& doc);
    void ContourSettings(CQENDoc& doc);
    void Calculator(CQENDoc& doc);
    // The first graphic window of a document that shows contours makes them.
    void OnGraphicViewOpened(CQENDoc& doc);

    // Whether any node or link of the document carries the selection flag.
    static bool HasSelection(const CQENDoc& doc);

private:
    QWidget* Owner() const;

    CCommandWindow& m_window;
    UiPrompt& m_prompt;
    KeyValueStore& m_profile;
    ZSettingsStore& m_settings;
};
