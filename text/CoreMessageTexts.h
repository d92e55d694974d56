#pragma once
#include <span>

// More of the core's texts for CCoreText: the lines of its reports (EPANET and GIS exchange,
// costs, pipe sizing, the time simulation) and messages, as templates with %1, %2...
class CoreMessageTexts {
public:
    static std::span<const char* const> All();
};
