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

} // namespace

CadSession& CadSession::Instance()
{
    static CadSession session;
    return session;
}

void CadSession::Close()
{
    m_open = false;
    m_drawings.clear();
    m_active = -1;
    m_lastError.clear();
}

DxfDrawing& CadSession::OpenFile(const std::string& path)
{
    const std::string place = SamePlace(path);
    for (size_t i = 0; i < m_drawings.size(); ++i)
        if (!m_drawings[i]->Path().empty() && SamePlace(m_drawings[i]->Path()) == place) {
            m_active = static_cast<int>(i);
            return *m_drawings[i];
        }
    m_drawings.push_back(DxfDrawing::Load(path));
    m_active = static_cast<int>(m_drawings.size()) - 1;
    return *m_drawings.back();
}

DxfDrawing& CadSession::NewDrawing()
{
    m_drawings.push_back(DxfDrawing::New());
    m_active = static_cast<int>(m_drawings.size()) - 1;
    return *m_drawings.back();
}

void CadSession::SaveActive()
{
    DxfDrawing* d = Active();
    if (!d)
        throw DxfError("没有打开的图纸。");
    if (d->Path().empty())
        throw DxfError("新图纸还没有文件名，没有保存。");
    if (d->IsModified() || !d->CameFromFile())
        DxfDrawingWriter::Save(*d, d->Path());
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
