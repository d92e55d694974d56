// The session functions of the bridge: opening and releasing the session, drawings, writing and
// showing them, and the pipe scan.
#include "CadBridge.h"
#include "CadSession.h"
#include "DxfError.h"
#include "DxfPipeScanner.h"
#include "DxfTextCodec.h"

#include <algorithm>
#include <climits>

#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int32_t True = -1;
constexpr int32_t False = 0;

// What a handle points at: a cell of its own, so a released handle is never the session.
struct HandleCell {
    unsigned magic = 0x51454E43;
};

// The scan under way (for CadScanEntityInfo) and what the last one left out.
DxfPipeScanner* g_scan = nullptr;
std::string g_scanReport;
std::string g_layers;

bool Valid(CadHandle h)
{
    return h && static_cast<HandleCell*>(h)->magic == 0x51454E43 && CadSession::Instance().IsOpen();
}

}   // namespace

CADBRIDGE_API int32_t IsAutoCadRunning()
{
    return CadSession::Instance().IsOpen() ? True : False;
}

CADBRIDGE_API int32_t DetectAutoCad()
{
    return False;   // no interactive CAD program to pick points in
}

CADBRIDGE_API CadHandle OpenAutoCad()
{
    CadSession::Instance().Open();
    return new HandleCell;
}

CADBRIDGE_API int32_t CloseAutoCad(CadHandle h)
{
    if (!h)
        return False;
    static_cast<HandleCell*>(h)->magic = 0;
    delete static_cast<HandleCell*>(h);
    return True;
}

CADBRIDGE_API int32_t IsExistActiveDwg()
{
    const CadSession& s = CadSession::Instance();
    return s.IsOpen() && s.Active() ? True : False;
}

CADBRIDGE_API int32_t CadNewDwg(CadHandle h)
{
    if (!Valid(h))
        return False;
    try {
        CadSession::Instance().NewDrawing();
        return True;
    } catch (const std::exception& e) {
        CadSession::Instance().SetLastError(e.what());
        return False;
    }
}

CADBRIDGE_API int32_t OpenDwgDocument(CadHandle h, const char* path)
{
    CadSession& s = CadSession::Instance();
    std::error_code ec;
    const auto st = path ? std::filesystem::status(path, ec) : std::filesystem::file_status();
    if (!path || st.type() != std::filesystem::file_type::regular) {
        // A pipe or device is never opened: reading one could wait for ever.
        const std::string name = std::string("\u201c") + (path ? path : "") + "\u201d";
        using T = std::filesystem::file_type;
        s.SetLastError(st.type() == T::directory ? name + "是文件夹，不是DXF图纸。"
                       : st.type() == T::fifo    ? name + "是命名管道(FIFO)，不是DXF图纸，没有读取。"
                       : st.type() == T::not_found || st.type() == T::none
                           ? "找不到文件" + name + "。"
                           : name + "不是普通文件(设备或套接字)，不是DXF图纸，没有读取。");
        return False;
    }
    if (!Valid(h))
        return False;
    try {
        s.OpenFile(path);
        return True;
    } catch (const std::exception& e) {
        s.SetLastError(e.what());
        return False;
    }
}

CADBRIDGE_API int32_t CadSetVisible(CadHandle h, int32_t visible)
{
    CadSession& s = CadSession::Instance();
    if (!Valid(h))
        return False;
    if (!visible)
        return True;
    try {
        s.SaveActive();
        if (s.OpenInViewer())
            CadSession::ShowInViewer(s.Active()->Path());
        return True;
    } catch (const std::exception& e) {
        s.SetLastError(e.what());
        return False;
    }
}

CADBRIDGE_API int32_t ExtractPipeFromAutoCad(CadHandle h, int32_t layerCount, const char* const* layers, uint8_t flags,
                                             ExtractPipeCallback callback, void* userData)
{
    CadSession& s = CadSession::Instance();
    if (!Valid(h) || !s.Active() || !callback)
        return 0;
    s.RefreshActive();   // the drawing as its file is now, not as it was read
    std::vector<std::string> names;
    for (int32_t i = 0; layers && i < layerCount; ++i)
        if (layers[i])
            names.emplace_back(layers[i]);
    g_scanReport.clear();
    DxfPipeScanner scanner(*s.Active(), layers ? &names : nullptr, flags);
    g_scan = &scanner;
    int n = 0;
    try {
        n = scanner.Run(callback, userData);
    } catch (...) {
        g_scan = nullptr;
        throw;
    }
    g_scan = nullptr;
    g_scanReport = scanner.Report();
    return n;
}

CADBRIDGE_API const char* CadScanReport()
{
    return g_scanReport.c_str();
}

CADBRIDGE_API int32_t CadScanEntityInfo(double* length, int32_t* line)
{
    if (!g_scan)
        return False;
    if (length)
        *length = g_scan->CurrentLength();
    if (line)
        *line = static_cast<int32_t>(std::min<size_t>(g_scan->CurrentLine(), INT32_MAX));
    return True;
}

CADBRIDGE_API const char* CadDrawingLayers()
{
    g_layers.clear();
    const DxfDrawing* d = CadSession::Instance().Active();
    if (!d)
        return g_layers.c_str();
    for (const std::string& l : d->LayerNames())
        g_layers += DxfTextCodec::Encode(DxfTextCodec::Decode(l, d->Charset()), "UTF-8") + "\n";
    return g_layers.c_str();
}

CADBRIDGE_API int32_t CadSetDwgPath(CadHandle h, const char* path)
{
    CadSession& s = CadSession::Instance();
    if (!Valid(h) || !s.Active() || !path || !*path)
        return False;
    s.Active()->SetPath(path);
    return True;
}

CADBRIDGE_API void CadSetOpenInViewer(int32_t open)
{
    CadSession::Instance().SetOpenInViewer(open != 0);
}

CADBRIDGE_API const char* CadLastError()
{
    return CadSession::Instance().LastError().c_str();
}

CADBRIDGE_API void CadCloseSession()
{
    CadSession::Instance().Close();
    g_scanReport.clear();
}
