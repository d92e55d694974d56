#pragma once
#include <string>
#include <vector>

class ProgressObserver;
class ZDocument;

// Node ground elevations from a terrain raster (any GDAL reads: GeoTIFF, ASCII grid, ...): band 1
// sampled bilinearly between the four pixel centres around the node (within half a pixel of the
// edge, the nearest centres). Nodes outside the raster or next to a no-data pixel are listed and
// keep their elevation. The raster must say its coordinate system; the network's coordinates are
// taken in the document's system (transformed when they differ) or, when the document has none,
// in the raster's. One undoable step ("从地形取高程").
class ZGisElevations {
public:
    struct Options {
        bool onlyMissing = false;   // only nodes whose elevation is 0
    };
    struct Report {
        int changed = 0;
        int unchanged = 0;                          // sampled, same value
        int skipped = 0;                            // kept by onlyMissing
        std::vector<std::string> outside, noData;   // node identifiers, UTF-8
        std::string crsNote;
    };
    // Throws GisError (nothing changed) for a raster it cannot use.
    static Report Run(const std::string& raster, ZDocument& doc, const Options& options,
                      ProgressObserver* observer = nullptr);
};
