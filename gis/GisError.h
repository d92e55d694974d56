#pragma once
#include <stdexcept>
#include <string>

// A GIS source, target or raster QEN refuses: the message names the file and, where there is one,
// the layer, feature and field. Nothing was changed or written when it is thrown.
class GisError : public std::runtime_error {
public:
    explicit GisError(const std::string& message) : std::runtime_error(message) {}
};
