#pragma once
#include "ViewExtent.h"

#include <string>

// A view rectangle the user saved under a name (GBK bytes).
struct ZNamedView {
    std::string ViewName;
    ViewExtent ViewRect;
};
