#include "GisCrs.h"

#include <ogr_spatialref.h>

std::unique_ptr<OGRSpatialReference> GisCrs::FromText(const std::string& text)
{
    if (text.empty())
        return nullptr;
    auto srs = std::make_unique<OGRSpatialReference>();
    if (srs->SetFromUserInput(text.c_str()) != OGRERR_NONE)
        return nullptr;
    srs->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return srs;
}

std::string GisCrs::ToWkt(const OGRSpatialReference& srs)
{
    char* wkt = nullptr;
    const char* options[] = {"FORMAT=WKT1_GDAL", nullptr};
    if (srs.exportToWkt(&wkt, options) != OGRERR_NONE || !wkt) {
        CPLFree(wkt);
        return {};
    }
    std::string text = wkt;
    CPLFree(wkt);
    return text;
}

std::string GisCrs::Describe(const OGRSpatialReference& srs)
{
    const char* name = srs.GetName();
    const char* authority = srs.GetAuthorityName(nullptr);
    const char* code = srs.GetAuthorityCode(nullptr);
    std::string text;
    if (authority && code)
        text = std::string(authority) + ":" + code + " ";
    return text + (name ? name : "?");
}

bool GisCrs::Same(const OGRSpatialReference& a, const OGRSpatialReference& b)
{
    const char* options[] = {"IGNORE_DATA_AXIS_TO_SRS_AXIS_MAPPING=YES", "CRITERION=EQUIVALENT", nullptr};
    return a.IsSame(&b, options);
}

std::unique_ptr<OGRCoordinateTransformation> GisCrs::Transform(const OGRSpatialReference& from,
                                                               const OGRSpatialReference& to)
{
    OGRSpatialReference a(from), b(to);
    a.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    b.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return std::unique_ptr<OGRCoordinateTransformation>(OGRCreateCoordinateTransformation(&a, &b));
}
