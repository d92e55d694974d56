#pragma once
#include <stdexcept>
#include <string>

// A drawing that cannot be read or written; the text (UTF-8) names the file and the place.
class DxfError : public std::runtime_error {
public:
    explicit DxfError(const std::string& text) : std::runtime_error(text) {}
};
