#pragma once
#include "model/ViewExtent.h"

#include <cstdint>
#include <vector>

class ZNetwork;

// The three-dimensional model of a network's head: a surface over a regular grid whose height
// is the head field scaled so that its rise is 0.8 of the network's shorter side, coloured from
// the low to the high colour by height, with a normal per vertex for lighting, and the pipes
// drawn as lines at their ground elevation. Coordinates are the network's, the surface's lowest
// point at z = 0; the drawing centres the model on the origin.
class ZModuleSurface {
public:
    // Builds from grid values over `bounds`: (rows + 1) x (columns + 1) of them, row by row
    // (row 0 at bounds.bottom). An empty or non-finite field, all values equal, or bounds of no
    // extent give a flat surface. The pipes go with the old surface: BuildPipes adds them again.
    void Build(const ViewExtent& bounds, int rows, int columns, const std::vector<double>& values, uint32_t lowColour,
               uint32_t highColour);
    // Pipe polylines at ground elevation, each segment's z along the pipe between its end nodes'.
    void BuildPipes(const ZNetwork& network);

    int Rows() const { return m_rows; }
    int Columns() const { return m_columns; }
    // Per vertex, (rows + 1) x (columns + 1) of them row by row: x y z, nx ny nz, r g b (0..1).
    const std::vector<float>& Positions() const { return m_positions; }
    const std::vector<float>& Normals() const { return m_normals; }
    const std::vector<float>& Colours() const { return m_colours; }
    // Indices of one triangle strip per grid row, 2 (columns + 1) each, rows one after the other.
    const std::vector<uint32_t>& StripIndices() const { return m_strips; }
    // Line segments: pairs of x y z.
    const std::vector<float>& PipeLines() const { return m_pipeLines; }

    double Width() const { return m_width; }
    double Depth() const { return m_depth; }
    double Height() const { return m_height; }
    double CentreX() const { return m_centreX; }
    double CentreY() const { return m_centreY; }
    // The lowest and highest value of the field (equal when flat).
    double Low() const { return m_low; }
    double High() const { return m_high; }
    bool IsFlat() const { return m_flat; }
    // Height of a vertex after scaling.
    double HeightAt(int row, int column) const;
    // Diagonal of the model box: the camera's first distance.
    double Diagonal() const;

    // Positions are stored relative to this origin (the model's centre), so that large world
    // coordinates keep their precision as floats.
    double OriginX() const { return m_centreX; }
    double OriginY() const { return m_centreY; }

private:
    int m_rows = 0;
    int m_columns = 0;
    std::vector<float> m_positions;
    std::vector<float> m_normals;
    std::vector<float> m_colours;
    std::vector<uint32_t> m_strips;
    std::vector<float> m_pipeLines;
    double m_width = 0.0, m_depth = 0.0, m_height = 0.0;
    double m_centreX = 0.0, m_centreY = 0.0;
    double m_low = 0.0, m_high = 0.0;
    bool m_flat = true;
};
