#pragma once
#include <string>
#include <vector>

class ProgressObserver;
class ZDocument;

// The network as GIS layers for QGIS and its kind: nodes (points), pipes (lines through their bend
// points), pumps and valves (lines from start to end node) and tanks (points at the outlet), each
// with every field of its class (model/ZFieldTable; GisFieldNames names them) in base units, and
// with results (`Flow_m3s`...) when the document holds current ones. The document's coordinate
// system is written when it has one.
//
// The extension picks the format: .gpkg one GeoPackage with the five layers; .shp and .geojson
// one file (set) per layer beside each other, NAME_nodes.shp ... NAME_tanks.shp. GDAL writes them
// in memory first; each file then goes to disk through the atomic writer, so every file is either
// the old or the whole new one and a refused target (read-only, a folder) is found before any is
// written. A shapefile set is replaced file by file: an interruption between two files can leave
// layers of two exports (the cure is to write again); sidecar files an older export left
// (.prj, .cpg) and this one does not write are removed.
class ZGisExport {
public:
    struct Options {
        bool results = false;   // write the results of the document's last run
    };
    struct Report {
        std::vector<std::string> files;   // written
        int nodes = 0, pipes = 0, pumps = 0, valves = 0, tanks = 0;
    };
    // Throws GisError for an unknown format or GDAL failure, ArchiveError for a refused target.
    static Report Write(const ZDocument& doc, const std::string& target, const Options& options,
                        ProgressObserver* observer = nullptr);
    // The layer names (in a GeoPackage) in order.
    static const char* const LayerNames[5];
};
