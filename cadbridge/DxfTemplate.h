#pragma once
#include "DxfTag.h"

// The groups of a new, empty R2000 drawing in code page 936: header, the standard tables,
// the model and paper space blocks and the objects section, as dxflib writes them.
class DxfTemplate {
public:
    static DxfTagList Tags();
};
