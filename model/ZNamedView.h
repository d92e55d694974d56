#pragma once
#include "GbkString.h"
#include "ViewExtent.h"

// A view rectangle the user saved under a name.
struct ZNamedView {
    GbkString ViewName;
    ViewExtent ViewRect;
};
