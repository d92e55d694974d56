#include "ZDocument.h"

#include <algorithm>
#include <cctype>

ZDocument::ZDocument(int nodeGradeColors, int pipeGradeColors)
    : m_drawSettings(nodeGradeColors, pipeGradeColors), m_nodeGradeColors(nodeGradeColors),
      m_pipeGradeColors(pipeGradeColors)
{
}

ZDocument::~ZDocument()
{
    const std::vector<ZDocumentListener*> listeners = std::move(m_listeners);
    m_listeners.clear();
    for (ZDocumentListener* l : listeners)
        l->OnDocumentGone();
}

ViewExtent ZDocument::FullExtent() const
{
    return WithBackground(m_network.BoundRect());
}

ViewExtent ZDocument::FullExtent(const ZNetView& view) const
{
    return WithBackground(m_network.BoundRect(view));
}

ViewExtent ZDocument::WithBackground(ViewExtent r) const
{
    if (!m_bkDib || !m_bkDib->BkVisible)
        return r;
    ViewExtent bk{m_bkDib->BkLeft, m_bkDib->BkTop - m_bkDib->BkHeight, m_bkDib->BkLeft + m_bkDib->BkWidth,
                  m_bkDib->BkTop};
    bk.Normalize();
    if (!(r.Width() > 0.0) || !(r.Height() > 0.0))
        return bk;
    r.Include(bk);
    return r;
}

bool ZDocument::SetBkDib(std::unique_ptr<ZNetBkDib> dib)
{
    if (dib.get() == m_bkDib.get())
        return false;
    m_bkDib = std::move(dib);
    return true;
}

int ZDocument::FileKindFromName(const std::string& path)
{
    if (path.size() < 3)
        return ProjectFile;
    std::string tail = path.substr(path.size() - 3);
    for (char& c : tail)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return tail == "TXT" ? TextFile : ProjectFile;
}

std::string ZDocument::VersionText(uint32_t v)
{
    return std::to_string(v >> 16) + "." + std::to_string(v & 0xFFFF);
}

void ZDocument::Reset()
{
    const bool wasModified = IsModified();
    m_history.Clear();   // before the network: edits refer to its objects
    m_unrecordedChange = false;
    m_network.Clear();
    m_drawSettings = ZDrawSettings(m_nodeGradeColors, m_pipeGradeColors);
    m_namedViews.clear();
    m_timeData = ZTimeData();
    m_projectTitle = ZProjectTitle();
    m_crs.clear();
    m_bkDib.reset();
    m_contours.Clear();
    m_extents = {0.0, 0.0, 1000.0, 1000.0};
    m_fileVersion = HighestVersion;
    m_fileKind = ProjectFile;
    m_changeStamp = m_resultStamp = 0;
    m_resultsLost = false;
    NotifyModified(wasModified);
}

void ZDocument::Perform(std::unique_ptr<ZEdit> edit)
{
    if (!edit)
        return;
    const bool wasModified = IsModified();
    edit->Apply(*this);
    StampReached(*edit);
    const ZNetMsg msg = edit->Hint(true);   // its lists live in the edit, which the history keeps
    m_history.Push(std::move(edit));
    Announce(msg);
    NotifyModified(wasModified);
}

bool ZDocument::Undo()
{
    if (m_transaction || !m_history.CanUndo())
        return false;
    const bool wasModified = IsModified();
    ZEdit* edit = m_history.StepBack();
    edit->Revert(*this);
    StampReached(*edit);
    // Every edit since the run is undone: each object is as the run left it, results included.
    if (m_history.IsAtBalanced())
        m_resultStamp = m_changeStamp;
    Announce(edit->Hint(false));
    NotifyModified(wasModified);
    return true;
}

bool ZDocument::Redo()
{
    if (m_transaction || !m_history.CanRedo())
        return false;
    const bool wasModified = IsModified();
    ZEdit* edit = m_history.StepForward();
    edit->Apply(*this);
    StampReached(*edit);
    Announce(edit->Hint(true));
    NotifyModified(wasModified);
    return true;
}

void ZDocument::ClearHistory()
{
    const bool wasModified = IsModified();
    const bool clean = m_history.IsClean();
    m_history.Clear();
    // The present state stays as modified as it was.
    if (!clean)
        m_unrecordedChange = true;
    NotifyModified(wasModified);
}

void ZDocument::StampReached(const ZEdit& edit)
{
    const std::vector<ZNetObject*>* objects = edit.ReachedObjects();
    if (!objects || objects->empty())
        return;
    ++m_changeStamp;
    for (ZNetObject* o : *objects)
        o->SetChangeStamp(m_changeStamp);
}

bool ZDocument::IsResultStale(const ZNetObject& obj) const
{
    if (m_resultsLost || obj.GetChangeStamp() > m_resultStamp)
        return true;
    if (!obj.IsLink())
        return false;
    const auto& link = static_cast<const ZNetLink&>(obj);
    for (const ZNetNode* end : {link.StartNode(), link.EndNode()})
        if (end && end->GetChangeStamp() > m_resultStamp)
            return true;
    return false;
}

void ZDocument::ResultsComputed(bool converged)
{
    m_resultsLost = !converged;
    m_resultStamp = m_changeStamp;
    if (converged)
        m_history.MarkBalanced();
    else
        m_history.ForgetBalanced();
}

void ZDocument::MarkModified()
{
    const bool wasModified = IsModified();
    m_unrecordedChange = true;
    NotifyModified(wasModified);
}

void ZDocument::SetSaved()
{
    const bool wasModified = IsModified();
    m_unrecordedChange = false;
    m_history.MarkClean();
    NotifyModified(wasModified);
}

void ZDocument::AddListener(ZDocumentListener* listener)
{
    if (listener && std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void ZDocument::RemoveListener(ZDocumentListener* listener)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener), m_listeners.end());
}

void ZDocument::Announce(const ZNetMsg& msg)
{
    // A copy: a listener may remove itself while being told.
    const std::vector<ZDocumentListener*> listeners = m_listeners;
    for (ZDocumentListener* l : listeners)
        if (std::find(m_listeners.begin(), m_listeners.end(), l) != m_listeners.end())
            l->OnDocumentChanged(msg);
}

void ZDocument::NotifyModified(bool wasModified)
{
    const bool modified = IsModified();
    if (modified == wasModified)
        return;
    const std::vector<ZDocumentListener*> listeners = m_listeners;
    for (ZDocumentListener* l : listeners)
        if (std::find(m_listeners.begin(), m_listeners.end(), l) != m_listeners.end())
            l->OnModifiedChanged(modified);
}
