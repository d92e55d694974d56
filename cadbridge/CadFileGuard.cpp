// The bridge functions that keep a drawing changed on disk by another program from being
// overwritten unasked.
#include "CadBridge.h"
#include "CadSession.h"

CADBRIDGE_API int32_t CadDwgChangedOnDisk(CadHandle h)
{
    CadSession& s = CadSession::Instance();
    return h && s.IsOpen() && s.ActiveChangedOnDisk() ? -1 : 0;
}

CADBRIDGE_API int32_t CadSetOverwriteChanged(CadHandle h, int32_t allow)
{
    CadSession& s = CadSession::Instance();
    if (!h || !s.IsOpen() || !s.Active())
        return 0;
    s.AllowOverwriteChanged(allow != 0);
    return -1;
}
