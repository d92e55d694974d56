#pragma once
#include "GisAttributeMap.h"

#include <string>
#include <vector>

class ProgressObserver;
class ZDocument;
class ZTemplateSet;

// A network from GIS data (any vector source GDAL reads: GeoPackage, Shapefile, GeoJSON, file
// geodatabase...): line features become pipes (each part of a multi-line one pipe, inner vertices
// its bend points), ends within the tolerance sharing a node as in the CAD import (ZCadImport,
// whose joining and tee splitting this reuses); point features give the node they fall on
// (within the tolerance) their identifier and attributes. Attributes fill fields as
// GisAttributeMap says. The layers' coordinate system goes to the document: a projected one as
// it is; a geographic one (degrees) is refused unless a projected EPSG system to project into is
// given. Everything is read and checked before the network is touched, and the import is one
// undoable step ("来自GIS数据"): an error or a stop leaves the document as it was.
class ZGisImport {
public:
    struct Options {
        std::string pipesLayer;   // empty: every line layer
        std::string nodesLayer;   // empty: every point layer
        std::vector<GisAttributeMap::Choice> map;
        double tolerance = 0.0;   // in the network's units (metres)
        bool splitAtTees = false;
        int projectTo = 0;   // EPSG code; 0: none
    };
    struct Report {
        int pipesAdded = 0;
        int nodesAdded = 0;
        int pointsJoined = 0;
        int splits = 0;
        int overlaps = 0;
        std::string crs;                  // as reported; empty: none
        std::vector<std::string> lines;   // UTF-8, what was read, mapped, defaulted and refused
    };

    struct Layer {
        std::string name;
        bool lines = false;    // holds (or may hold) line features
        bool points = false;   // point features
    };
    // The layers of a source (and of the file an export writes beside it), for the user to pick.
    // Throws GisError for a source GDAL cannot read.
    static std::vector<Layer> Layers(const std::string& source);

    // Throws GisError (nothing changed) for a source, layer, attribute or feature it refuses.
    static Report Run(const std::string& source, ZDocument& doc, const ZTemplateSet& templates, const Options& options,
                      ProgressObserver* observer = nullptr);
};
