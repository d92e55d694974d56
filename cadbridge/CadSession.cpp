#include "CadSession.h"
#include "DxfDrawingWriter.h"
#include "DxfError.h"

#include <filesystem>
#include <sys/wait.h>

namespace {

std::string SamePlace(const std::string& path)
{
    std::error_code ec;
    const auto p = std::filesystem::weakly_canonical(std::filesystem::path(path), ec);
    return ec ? path : p.string();
}

}   // namespace

CadSession& CadSession::Instance()
{
    static CadSession session;
    return session;
}

void CadSession::Close()
{
    m_open = false;
    m_entries.clear();
    m_active = -1;
    m_overwriteChanged = false;
    m_lastError.clear();
}

void CadSession::Read(const std::string& path, Entry& entry)
{
    // Stamped before reading: a change while reading shows as a change later.
    const std::string place = SamePlace(path);
    const DxfFileStamp stamp = DxfFileStamp::Of(place);
    entry.drawing = DxfDrawing::Load(path);
    entry.stampPlace = place;
    entry.stamp = stamp;
}

DxfDrawing& CadSession::OpenFile(const std::string& path)
{
    const std::string place = SamePlace(path);
    for (size_t i = 0; i < m_entries.size(); ++i) {
        Entry& e = m_entries[i];
        if (e.drawing->Path().empty() || SamePlace(e.drawing->Path()) != place)
            continue;
        if (e.stampPlace != place || !(DxfFileStamp::Of(place) == e.stamp)) {
            Entry fresh;
            Read(path, fresh);
            e = std::move(fresh);
        }
        m_active = static_cast<int>(i);
        return *e.drawing;
    }
    Entry e;
    Read(path, e);
    m_entries.push_back(std::move(e));
    m_active = static_cast<int>(m_entries.size()) - 1;
    return *m_entries.back().drawing;
}

DxfDrawing& CadSession::NewDrawing()
{
    m_entries.push_back({DxfDrawing::New(), std::string(), DxfFileStamp()});
    m_active = static_cast<int>(m_entries.size()) - 1;
    return *m_entries.back().drawing;
}

void CadSession::RefreshActive()
{
    if (m_active < 0)
        return;
    Entry& e = m_entries[static_cast<size_t>(m_active)];
    if (e.drawing->IsModified() || !ActiveChangedOnDisk())
        return;
    try {
        Entry fresh;
        Read(e.drawing->Path(), fresh);
        e = std::move(fresh);
    } catch (const DxfError&) {
    }
}

bool CadSession::ActiveChangedOnDisk() const
{
    if (m_active < 0)
        return false;
    const Entry& e = m_entries[static_cast<size_t>(m_active)];
    // Only the file the session read or wrote: a new target is the caller's choice, and a file
    // removed since holds nothing to lose.
    if (e.stampPlace.empty() || e.drawing->Path().empty() || SamePlace(e.drawing->Path()) != e.stampPlace)
        return false;
    const DxfFileStamp now = DxfFileStamp::Of(e.stampPlace);
    return now.exists && !(now == e.stamp);
}

void CadSession::SaveActive()
{
    DxfDrawing* d = Active();
    if (!d)
        throw DxfError("没有打开的图纸。");
    if (d->Path().empty())
        throw DxfError("新图纸还没有文件名，没有保存。");
    const bool allowed = m_overwriteChanged;
    m_overwriteChanged = false;
    if (!d->IsModified() && d->CameFromFile())
        return;
    if (ActiveChangedOnDisk() && !allowed)
        throw DxfError("图纸文件\u201c" + d->Path() + "\u201d在读入后已被其他程序修改，没有覆盖它，图纸没有保存。");
    DxfDrawingWriter::Save(*d, d->Path());
    Entry& e = m_entries[static_cast<size_t>(m_active)];
    e.stampPlace = SamePlace(d->Path());
    e.stamp = DxfFileStamp::Of(e.stampPlace);
}

void CadSession::ShowInViewer(const std::string& path)
{
    // Double fork so no child is left for this process to reap.
    const pid_t pid = fork();
    if (pid == 0) {
        if (fork() == 0) {
            char* argv[] = {const_cast<char*>("xdg-open"), const_cast<char*>(path.c_str()), nullptr};
            execvp("xdg-open", argv);
            _exit(127);
        }
        _exit(0);
    }
    if (pid > 0)
        waitpid(pid, nullptr, 0);
}
