#pragma once
#include <memory>
#include <string>

class OGRSpatialReference;
class OGRCoordinateTransformation;

// Coordinate reference systems as the document keeps them (WKT text) and the transformations
// between them. GDAL's axis order is set to x = easting / longitude, y = northing / latitude.
class GisCrs {
public:
    // A system from WKT, "EPSG:n" or anything GDAL takes; null for empty or unknown text.
    static std::unique_ptr<OGRSpatialReference> FromText(const std::string& text);
    static std::string ToWkt(const OGRSpatialReference& srs);
    // The short name people know a system by ("EPSG:4548 CGCS2000 / ..."), for reports.
    static std::string Describe(const OGRSpatialReference& srs);
    static bool Same(const OGRSpatialReference& a, const OGRSpatialReference& b);
    // Null when GDAL cannot transform between the two.
    static std::unique_ptr<OGRCoordinateTransformation> Transform(const OGRSpatialReference& from,
                                                                  const OGRSpatialReference& to);
};
