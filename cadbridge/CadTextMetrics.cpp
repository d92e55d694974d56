#include "CadTextMetrics.h"

double CadTextMetrics::Width(std::string_view gbk, double height)
{
    double w = 0.0;
    for (size_t i = 0; i < gbk.size(); ++i) {
        if (static_cast<unsigned char>(gbk[i]) >= 0x81 && i + 1 < gbk.size()) {
            w += WideAdvance;
            ++i;
        } else {
            w += NarrowAdvance;
        }
    }
    return w * height;
}
