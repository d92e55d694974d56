#include "ZEditTransaction.h"

#include "ZDocument.h"

ZEditTransaction::ZEditTransaction(ZDocument& doc, std::string text) : m_doc(doc)
{
    m_outer = doc.m_transaction;
    if (m_outer)
        return;
    m_edit = std::make_unique<ZObjectEdit>(std::move(text), doc);
    doc.m_transaction = this;
    doc.GetNetwork().SetRecorder(this);
}

ZEditTransaction::~ZEditTransaction()
{
    Cancel();
}

void ZEditTransaction::Touch(ZNetObject* obj)
{
    if (m_outer)
        m_outer->Touch(obj);
    else if (m_edit)
        m_edit->Record(obj, true);
}

void ZEditTransaction::TouchFields(ZNetObject* obj)
{
    if (m_outer)
        m_outer->TouchFields(obj);
    else if (m_edit)
        m_edit->RecordFields(obj);
}

void ZEditTransaction::Added(ZNetObject* obj)
{
    if (m_outer)
        m_outer->Added(obj);
    else if (m_edit)
        m_edit->RecordNew(obj);
}

void ZEditTransaction::Removed(ZNetObject* obj)
{
    if (m_outer)
        m_outer->Removed(obj);
    else if (m_edit)
        m_edit->MarkRemoved(obj);
}

void ZEditTransaction::AnnounceAs(int code)
{
    if (m_outer)
        m_outer->AnnounceAs(code);
    else if (m_edit)
        m_edit->SetAppliedCode(code);
}

void ZEditTransaction::WillChange(ZNetObject* obj)
{
    if (m_edit)
        m_edit->Record(obj, false);
}

void ZEditTransaction::Close()
{
    m_doc.GetNetwork().SetRecorder(nullptr);
    m_doc.m_transaction = nullptr;
}

bool ZEditTransaction::Commit()
{
    if (m_outer || !m_edit)
        return false;
    Close();
    m_edit->Finish();
    if (m_edit->IsEmpty()) {
        m_edit.reset();
        return false;
    }
    m_doc.Perform(std::move(m_edit));
    return true;
}

void ZEditTransaction::Cancel()
{
    if (m_outer || !m_edit)
        return;
    Close();
    m_edit->Finish();
    m_edit->Revert(m_doc);
    m_edit.reset();
}
