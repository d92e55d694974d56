#pragma once
#include <QCoreApplication>
#include "model/ZNetObject.h"

#include <QPoint>
#include <QString>

#include <vector>

class ObjectPropertyEditor;
class Prompt;
class QMenu;
class QPainter;
class QWidget;
class ZNetCanvas;
class ZSettingsStore;
struct ZNetMsg;
struct CommandState;

// What the graphic view does with the mouse and the commands once navigation is out of the way:
// editing workshops, selection, the property commands, double-click properties and the find
// dialog. The view hands it what its zoom tool did not take.
class CViewEditor {
    Q_DECLARE_TR_FUNCTIONS(CViewEditor)

public:
    CViewEditor(QWidget& view, ZNetCanvas& canvas, ZSettingsStore& settings);
    ~CViewEditor();

    void SetServices(Prompt* prompt, ObjectPropertyEditor* editor);
    Prompt* Asker() const { return m_prompt; }
    ObjectPropertyEditor* Editor() const { return m_editor; }

    // Mouse, in view pixels; each returns true when it took the event.
    bool LeftPress(const QPoint& pt, bool shift);
    bool RightPress(const QPoint& pt, bool shift);
    bool Move(const QPoint& pt, bool leftDown);
    bool LeftRelease(const QPoint& pt);
    // False while a workshop runs: the second press of a quick pair is a click like any other.
    bool DoubleClick(const QPoint& pt);
    bool Escape();
    void FocusLost();
    // A click record (mouse or typed point) for the workshop; false when none runs.
    bool Click(double x, double y);

    // While held (a background image waits for its placing click) no editing workshop runs: the
    // running one ends and the editing commands are disabled.
    void HoldEditing(bool hold);
    // Ends the running workshop, if any.
    void EndWorkshop();

    bool OnCommand(int id);
    bool OnUpdateCommand(int id, CommandState& state);
    // The "Edit" context menu shown while a workshop runs.
    void FillWorkshopMenu(QMenu& menu);
    // The workshop's cursor resource, -1 when none runs.
    int CursorId() const;

    // A document announcement (null: everything may have changed). Objects that left the network
    // leave the selection and the running workshop; objects that came back selected rejoin it.
    // A full refresh also ends a workshop the project labels (turned on in any window) forbid.
    void DocumentChanged(const ZNetMsg* msg);

    // Selection rectangle, focus hint and rubber lines over the picture.
    void PaintFeedback(QPainter& p);

    // Opens the property dialog of one kind on the selected objects of that kind.
    bool EditSelected(ZNetObject::Kind kind);
    bool EditObject(ZNetObject* o);
    // The find dialog (modal).
    void Find();

private:
    bool EditingAllowed() const;
    // Project labels or a hold: no workshop may run, whatever the zoom tool does.
    bool WorkshopsForbidden() const;
    bool StartWorkshop(int id);

    QWidget& m_view;
    ZNetCanvas& m_canvas;
    ZSettingsStore& m_settings;
    Prompt* m_prompt = nullptr;
    ObjectPropertyEditor* m_editor = nullptr;
    bool m_held = false;
};
