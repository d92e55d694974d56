#include "GdalSession.h"

#include <cpl_error.h>
#include <gdal.h>
#include <ogr_api.h>

#include <mutex>

namespace {
void Quiet(CPLErr, CPLErrorNum, const char*) {}
}   // namespace

void GdalSession::Open()
{
    static std::once_flag once;
    std::call_once(once, [] {
        GDALAllRegister();
        CPLSetErrorHandler(&Quiet);
    });
}

std::string GdalSession::LastError()
{
    std::string text = CPLGetLastErrorMsg();
    CPLErrorReset();
    return text;
}
