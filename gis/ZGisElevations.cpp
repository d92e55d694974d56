#include "ZGisElevations.h"

#include "GdalSession.h"
#include "GisCrs.h"
#include "GisError.h"
#include "model/GbkCodec.h"
#include "model/ProgressObserver.h"
#include "model/ZConsumeNode.h"
#include "model/ZDocument.h"
#include "model/ZEditTransaction.h"

#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {
class Sampler {
public:
    Sampler(GDALRasterBand& band, const double gt[6]) : m_band(band)
    {
        m_width = band.GetXSize();
        m_height = band.GetYSize();
        int has = 0;
        m_noData = band.GetNoDataValue(&has);
        m_hasNoData = has != 0;
        m_scale = band.GetScale();
        m_offset = band.GetOffset();
        m_invertible = GDALInvGeoTransform(const_cast<double*>(gt), m_inv) != 0;
    }
    bool Invertible() const { return m_invertible; }

    enum Result { Ok, Outside, NoData };

    Result At(double x, double y, double& z) const
    {
        const double px = m_inv[0] + m_inv[1] * x + m_inv[2] * y;
        const double py = m_inv[3] + m_inv[4] * x + m_inv[5] * y;
        if (!(px >= 0 && py >= 0 && px <= m_width && py <= m_height))
            return Outside;
        // Between pixel centres; half a pixel from the edge the nearest centres hold.
        const double fx = std::clamp(px - 0.5, 0.0, m_width - 1.0);
        const double fy = std::clamp(py - 0.5, 0.0, m_height - 1.0);
        const int x0 = std::min(static_cast<int>(fx), m_width - 1), y0 = std::min(static_cast<int>(fy), m_height - 1);
        const int x1 = std::min(x0 + 1, m_width - 1), y1 = std::min(y0 + 1, m_height - 1);
        const double tx = fx - x0, ty = fy - y0;
        double v[4];
        const int cols[4] = {x0, x1, x0, x1}, rows[4] = {y0, y0, y1, y1};
        const double w[4] = {(1 - tx) * (1 - ty), tx * (1 - ty), (1 - tx) * ty, tx * ty};
        z = 0.0;
        for (int k = 0; k < 4; ++k) {
            if (w[k] == 0.0)
                continue;
            if (m_band.RasterIO(GF_Read, cols[k], rows[k], 1, 1, &v[k], 1, 1, GDT_Float64, 0, 0) != CE_None)
                return NoData;
            if ((m_hasNoData && (v[k] == m_noData || (std::isnan(m_noData) && std::isnan(v[k])))) ||
                !std::isfinite(v[k]))
                return NoData;
            z += w[k] * (v[k] * m_scale + m_offset);
        }
        return std::isfinite(z) ? Ok : NoData;
    }

private:
    GDALRasterBand& m_band;
    int m_width, m_height;
    double m_inv[6] = {};
    bool m_invertible = false;
    double m_noData = 0.0;
    bool m_hasNoData = false;
    double m_scale = 1.0, m_offset = 0.0;
};
}   // namespace

ZGisElevations::Report ZGisElevations::Run(const std::string& raster, ZDocument& doc, const Options& options,
                                           ProgressObserver* observer)
{
    GdalSession::Open();
    GdalSession::CheckSource(raster);
    GDALDatasetUniquePtr ds(GDALDataset::Open(raster.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
    if (!ds) {
        const std::string why = GdalSession::LastError();
        throw GisError(raster + ": not readable as a raster" + (why.empty() ? "" : " (" + why + ")"));
    }
    if (ds->GetRasterCount() < 1)
        throw GisError(raster + ": no raster band");
    double gt[6];
    if (ds->GetGeoTransform(gt) != CE_None)
        throw GisError(raster + ": the raster has no georeference (no geotransform)");
    const OGRSpatialReference* rasterSrs = ds->GetSpatialRef();
    if (!rasterSrs || rasterSrs->IsEmpty())
        throw GisError(raster + ": the raster has no coordinate system");
    Report report;
    std::unique_ptr<OGRCoordinateTransformation> transform;
    if (auto own = GisCrs::FromText(doc.GetCrs())) {
        if (!GisCrs::Same(*own, *rasterSrs)) {
            transform = GisCrs::Transform(*own, *rasterSrs);
            if (!transform)
                throw GisError(raster + ": cannot transform " + GisCrs::Describe(*own) + " into the raster's " +
                               GisCrs::Describe(*rasterSrs));
            report.crsNote = "网络坐标从 " + GisCrs::Describe(*own) + " 转换到栅格的 " + GisCrs::Describe(*rasterSrs);
        }
    } else {
        report.crsNote = "网络没有坐标系，按栅格的 " + GisCrs::Describe(*rasterSrs) + " 取用";
    }
    Sampler sampler(*ds->GetRasterBand(1), gt);
    if (!sampler.Invertible())
        throw GisError(raster + ": the raster's georeference cannot be inverted");

    ZEditTransaction tx(doc, "从地形取高程");
    const ZNetwork& net = doc.GetNetwork();
    int done = 0;
    for (ZConsumeNode* n : net.Nodes()) {
        if (observer && (++done & 1023) == 0) {
            observer->Progress(static_cast<double>(done) / net.NodeCount());
            if (observer->StopRequested())
                throw GisError("stopped; no elevation changed");
        }
        if (n->IsHidden())
            continue;
        if (options.onlyMissing && n->NodeGrunElev != 0.0) {
            ++report.skipped;
            continue;
        }
        double x = n->X, y = n->Y, z = 0.0;
        if (transform && !transform->Transform(1, &x, &y)) {
            report.outside.push_back(GbkCodec::ToUtf8(n->IdView()));
            continue;
        }
        switch (sampler.At(x, y, z)) {
        case Sampler::Outside:
            report.outside.push_back(GbkCodec::ToUtf8(n->IdView()));
            break;
        case Sampler::NoData:
            report.noData.push_back(GbkCodec::ToUtf8(n->IdView()));
            break;
        case Sampler::Ok:
            if (z == n->NodeGrunElev) {
                ++report.unchanged;
                break;
            }
            tx.TouchFields(n);
            n->NodeGrunElev = z;
            ++report.changed;
            break;
        }
    }
    tx.Commit();
    if (observer)
        observer->Progress(1.0);
    return report;
}
