#include "CFindDlg.h"

#include "CViewEditor.h"
#include "GbkText.h"
#include "ZNetCanvas.h"
#include "ZSelectTracker.h"

#include "model/Prompt.h"
#include "model/ZDeviceLink.h"
#include "model/ZDocument.h"
#include "model/ZSettingsStore.h"

#include <QComboBox>
#include <QCompleter>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStackedLayout>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr ZNetObject::Kind kTabKinds[5] = {ZNetObject::Kind::Node, ZNetObject::Kind::Pipe, ZNetObject::Kind::Pump,
                                           ZNetObject::Kind::Valve, ZNetObject::Kind::Tank};
}

CFindDlg::CFindDlg(ZNetCanvas& canvas, CViewEditor& editor, QWidget* parent)
    : QDialog(parent), m_canvas(canvas), m_editor(editor)
{
    setObjectName(QStringLiteral("findDialog"));
    setWindowTitle(tr("查找"));
    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("findTabs"));
    for (const QString& label : tr("节点\n管道\n水泵\n阀门\n水池").split(QLatin1Char('\n')))
        m_tabs->addTab(label);
    auto* lists = new QStackedLayout;
    for (int i = 0; i < 5; ++i) {
        auto* box = new QComboBox(this);
        box->setObjectName(QStringLiteral("findList%1").arg(1012 + i));
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setMaxVisibleItems(15);
        box->setMinimumContentsLength(16);
        box->completer()->setCompletionMode(QCompleter::PopupCompletion);
        m_lists[static_cast<size_t>(i)] = box;
        lists->addWidget(box);
    }
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("输入编号:"), this));
    row->addLayout(lists, 1);
    auto* buttons = new QHBoxLayout;
    auto* view = new QPushButton(tr("查看"), this);
    auto* props = new QPushButton(tr("属性"), this);
    auto* close = new QPushButton(tr("关闭"), this);
    view->setObjectName(QStringLiteral("findView"));
    props->setObjectName(QStringLiteral("findProperties"));
    close->setObjectName(QStringLiteral("findClose"));
    view->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(view);
    buttons->addWidget(props);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(row);
    layout->addLayout(buttons);
    connect(view, &QPushButton::clicked, this, &CFindDlg::onView);
    connect(props, &QPushButton::clicked, this, &CFindDlg::onProperties);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_tabs, &QTabBar::currentChanged, this, [this, lists](int tab) {
        lists->setCurrentIndex(tab);
        onTabChanged(tab);
    });
    m_timer.setInterval(500);
    connect(&m_timer, &QTimer::timeout, this, &CFindDlg::onTimer);
    Fill();
    m_lists[0]->setFocus();   // typing starts at once
}

CFindDlg::~CFindDlg()
{
    StopFlash();
}

void CFindDlg::Fill()
{
    std::array<QStringList, 5> ids;
    const ZNetwork& net = m_canvas.Document()->GetNetwork();
    for (const ZNetObject* n : net.Nodes())
        if (!n->IsHidden())
            ids[0] << GbkText::ToQString(n->IdView());
    for (const ZNetObject* l : net.Links()) {
        if (l->IsHidden())
            continue;
        const auto k =
            static_cast<size_t>(std::find(std::begin(kTabKinds), std::end(kTabKinds), l->GetKind()) - kTabKinds);
        if (k < ids.size())
            ids[k] << GbkText::ToQString(l->IdView());
    }
    for (size_t i = 0; i < ids.size(); ++i) {
        ids[i].sort();
        m_lists[i]->addItems(ids[i]);
        m_lists[i]->setCurrentIndex(-1);
        m_lists[i]->setEditText(QString());
    }
}

void CFindDlg::onTabChanged(int tab)
{
    if (tab >= 0 && tab < 5)
        m_lists[static_cast<size_t>(tab)]->setFocus();
}

ZNetObject* CFindDlg::Lookup()
{
    const int tab = std::max(0, m_tabs->currentIndex());
    const QString text = m_lists[static_cast<size_t>(tab)]->currentText();
    auto tell = [this](const QString& msg) {
        if (Prompt* p = m_editor.Asker())
            p->Inform(msg.toStdString());
        else
            QMessageBox::information(this, QStringLiteral("QEN"), msg);
    };
    if (text.isEmpty()) {
        tell(tr("必须输入编号!"));
        return nullptr;
    }
    const ZNetwork& net = m_canvas.Document()->GetNetwork();
    const GbkString id = GbkText::FromQString(text);
    ZNetObject* o = nullptr;
    if (tab == 0)
        o = net.FindNode(id);
    else if (ZNetObject* l = net.FindLink(id); l && l->GetKind() == kTabKinds[tab])
        o = l;
    if (!o)
        tell(tr("没有找到编号为%1的部件!").arg(text));
    return o;
}

void CFindDlg::onView()
{
    ZNetObject* o = Lookup();
    if (!o)
        return;
    Prompt* p = m_editor.Asker();
    auto tell = [&](const QString& msg) {
        if (p)
            p->Inform(msg.toStdString());
        else
            QMessageBox::information(this, QStringLiteral("QEN"), msg);
    };
    if (o->IsHidden())
        return tell(tr("不能看隐藏的部件!"));
    if (o->IsFiltered())
        return tell(tr("不能看过滤出的部件!"));
    double cx, cy;
    if (o->IsNode()) {
        const PipePoint at = static_cast<ZFlowNode*>(o)->GetPosition(m_canvas);
        cx = at.x;
        cy = at.y;
    } else if (o->GetKind() == ZNetObject::Kind::Pipe) {
        const ViewExtent r = o->GetDisplayRect(m_canvas);
        cx = (r.left + r.right) / 2;
        cy = (r.bottom + r.top) / 2;
    } else {
        const auto* inlet = static_cast<const ZFlowNode*>(static_cast<ZDeviceLink*>(o)->StartNode());
        cx = inlet->X;
        cy = inlet->Y;
    }
    StopFlash();
    ZZoomTool& zoom = m_canvas.ZoomTool();
    zoom.ApplyView(cx, cy, m_canvas.GetScale());
    zoom.SaveViewToDocument();
    if (QWidget* view = parentWidget(); view && isVisible()) {
        int px = 0, py = 0;
        m_canvas.WorldToDevice(cx, cy, px, py);
        KeepClearOf(view->mapToGlobal(QPoint(px, py)));
    }
    m_flashed = o;
    m_flashedWasSelected = o->IsSelected();
    m_timer.start();
}

void CFindDlg::KeepClearOf(const QPoint& global)
{
    const int gap = 2 * m_canvas.Settings().Sizes().HintFocWidth;
    const QRect frame = frameGeometry();
    if (!frame.adjusted(-gap, -gap, gap, gap).contains(global))
        return;
    // Right of the point, left of it, below, above: the first place wholly on the screen.
    const QPoint places[] = {{global.x() + gap, frame.top()},
                             {global.x() - gap - frame.width(), frame.top()},
                             {frame.left(), global.y() + gap},
                             {frame.left(), global.y() - gap - frame.height()}};
    const QRect area = screen() ? screen()->availableGeometry() : QRect();
    for (const QPoint& at : places) {
        if (area.isEmpty() || area.contains(QRect(at, frame.size()))) {
            move(at);
            return;
        }
    }
    move(places[0]);
}

void CFindDlg::onProperties()
{
    ZNetObject* o = Lookup();
    if (!o)
        return;
    if (o->IsHidden()) {
        if (Prompt* p = m_editor.Asker())
            p->Inform("A Hide Object Can't be View!");
        else
            QMessageBox::information(this, QStringLiteral("QEN"), QStringLiteral("A Hide Object Can't be View!"));
        return;
    }
    m_editor.EditObject(o);
}

void CFindDlg::onTimer()
{
    if (m_flashed)
        m_canvas.Tracker().ShowSelected(m_flashed, !m_flashed->IsSelected());
}

void CFindDlg::StopFlash()
{
    m_timer.stop();
    if (m_flashed)
        m_canvas.Tracker().ShowSelected(m_flashed, m_flashedWasSelected);
    m_flashed = nullptr;
}

void CFindDlg::done(int result)
{
    StopFlash();
    QDialog::done(result);
}
