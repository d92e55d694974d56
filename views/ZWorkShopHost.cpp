#include "ZWorkShopHost.h"

#include "ZDeviceLinkWS.h"
#include "ZFlowNodeWS.h"
#include "ZFocusHint.h"
#include "ZNetCanvas.h"
#include "ZPipeLinkWS.h"

ZWorkShopHost::ZWorkShopHost(ZNetCanvas& canvas) : m_canvas(canvas) {}

ZWorkShopHost::~ZWorkShopHost()
{
    // The canvas aborts while the network is still there; this is the last resort.
    m_workshop.reset();
}

void ZWorkShopHost::SetServices(ZSettingsStore* settings, Prompt* prompt, ObjectPropertyEditor* editor,
                                QWidget* dialogParent)
{
    m_settings = settings;
    m_prompt = prompt;
    m_editor = editor;
    m_dialogParent = dialogParent;
}

ZDocument* ZWorkShopHost::Document() const
{
    return m_canvas.Document();
}

bool ZWorkShopHost::Start(Operation op, ObjectClass cls, bool continuous)
{
    Abort();
    if (!Document())
        return false;
    std::unique_ptr<ZWorkShop> ws;
    switch (cls) {
    case NodeClass:
        ws = std::make_unique<ZFlowNodeWS>(*this, op);
        break;
    case PipeClass:
        ws = std::make_unique<ZPipeLinkWS>(*this, op);
        break;
    case PumpClass:
        ws = std::make_unique<ZDeviceLinkWS>(*this, op, ZNetObject::Kind::Pump);
        break;
    case ValveClass:
        ws = std::make_unique<ZDeviceLinkWS>(*this, op, ZNetObject::Kind::Valve);
        break;
    case TankClass:
        ws = std::make_unique<ZDeviceLinkWS>(*this, op, ZNetObject::Kind::Tank);
        break;
    }
    m_continuous = continuous;
    m_workshop = std::move(ws);
    m_canvas.SetWorkshopActive(true);
    switch (op) {
    case Insert:
        m_workshop->BeginInsert();
        m_cursor = InsertCursor;
        break;
    case Delete:
        m_workshop->BeginDelete();
        m_cursor = DeleteCursor;
        break;
    case Move:
        m_workshop->BeginMove();
        m_cursor = MoveCursor;
        break;
    }
    return true;
}

bool ZWorkShopHost::Click(const PipePoint& at)
{
    if (!m_workshop)
        return false;
    // A step that finishes ends the workshop only once its click is handled.
    m_inClick = true;
    m_workshop->OnClick(at);
    m_inClick = false;
    if (m_endPending) {
        m_endPending = false;
        Destroy();
    }
    return true;
}

void ZWorkShopHost::FinishStep()
{
    if (!m_workshop)
        return;
    if (m_continuous) {
        m_workshop->Restart();
        return;
    }
    m_workshop->End();
    if (m_inClick)
        m_endPending = true;
    else
        Destroy();
}

void ZWorkShopHost::Abort()
{
    if (!m_workshop)
        return;
    m_workshop->Abort();
    if (m_inClick)
        m_endPending = true;
    else
        Destroy();
}

void ZWorkShopHost::Destroy()
{
    m_workshop.reset();
    m_cursor = -1;
    m_canvas.SetWorkshopActive(false);
    m_canvas.FocusHint().Reset();
}

std::string ZWorkShopHost::StatusText() const
{
    if (!m_workshop)
        return {};
    const std::string& note = m_workshop->Note();
    return note.empty() ? m_workshop->StepPrompt() : note + "  " + m_workshop->StepPrompt();
}
