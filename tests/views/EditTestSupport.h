#pragma once
#include "model/Prompt.h"
#include "model/ZDocument.h"
#include "model/ZNetNode.h"
#include "model/ZSettingsStore.h"
#include "views/CQENView.h"
#include "views/ObjectPropertyEditor.h"

#include <QApplication>
#include <QPoint>
#include <QTimer>
#include <QtTest>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Answers questions from a script (no when it runs out) and keeps every text shown.
class RecordingPrompt : public Prompt {
public:
    std::deque<bool> answers;
    std::vector<std::string> shown;
    bool AskYesNo(const std::string& text) override
    {
        shown.push_back(text);
        if (answers.empty())
            return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    void Inform(const std::string& text) override { shown.push_back(text); }
    std::string Last() const { return shown.empty() ? std::string() : shown.back(); }
};

// Property dialogs replaced by a script: records what was opened and answers new-node dialogs
// in turn (an answer may also set the node's fields).
class ScriptedEditor : public ObjectPropertyEditor {
public:
    std::vector<std::vector<ZNetObject*>> edited;
    std::deque<std::function<bool(ZNetNode&)>> confirms;
    int confirmCalls = 0;
    bool EditObjects(QWidget*, ZDocument&, const std::vector<ZNetObject*>& objects) override
    {
        edited.push_back(objects);
        return true;
    }
    bool ConfirmNewNode(QWidget*, ZDocument&, ZNetNode& node) override
    {
        ++confirmCalls;
        if (confirms.empty())
            return false;
        auto f = confirms.front();
        confirms.pop_front();
        return f(node);
    }
};

// Mouse actions on a view at world points.
// A view of `doc` showing `extent` in a square window `side` pixels wide, with the given editing services,
// shown and laid out as the program does when it opens one.
template <class View = CQENView>
std::unique_ptr<View> ShowEditView(ZDocument& doc, ZSettingsStore& settings, Prompt* prompt,
                                   ObjectPropertyEditor* editor, const ViewExtent& extent, int side)
{
    doc.SetExtents(extent);
    auto v = std::make_unique<View>(&doc, settings);
    v->resize(side, side);
    v->SetEditServices(prompt, editor);
    v->show();
    v->InitialUpdate();
    if (!QTest::qWaitForWindowExposed(v.get()))
        qWarning("view not shown");
    return v;
}

namespace EditMouse {
inline QPoint Px(CQENView& v, double x, double y)
{
    const QPointF p = v.Canvas().WorldToDeviceF(x, y);
    return QPoint(int(std::floor(p.x())), int(std::floor(p.y())));
}
inline void Click(CQENView& v, double x, double y, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    const QPoint p = Px(v, x, y);
    QTest::mouseMove(&v, p);
    QTest::mouseClick(&v, Qt::LeftButton, mods, p);
}
inline void Drag(CQENView& v, double x0, double y0, double x1, double y1)
{
    const QPoint a = Px(v, x0, y0), b = Px(v, x1, y1);
    QTest::mousePress(&v, Qt::LeftButton, Qt::NoModifier, a);
    QTest::mouseMove(&v, (a + b) / 2);
    QTest::mouseMove(&v, b);
    QTest::mouseRelease(&v, Qt::LeftButton, Qt::NoModifier, b);
}
}   // namespace EditMouse
