#include "GdalSession.h"
#include "GisError.h"

#include <cpl_error.h>
#include <gdal.h>
#include <ogr_api.h>

#include <sys/stat.h>

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

void GdalSession::CheckSource(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || S_ISREG(st.st_mode) || S_ISDIR(st.st_mode))
        return;
    const char* kind = S_ISFIFO(st.st_mode) ? "a FIFO" : S_ISSOCK(st.st_mode) ? "a socket" : "a device";
    throw GisError(path + ": " + kind + ", not a file GDAL can read");
}
