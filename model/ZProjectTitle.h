#pragma once
#include "GbkString.h"

// The title block of a project's report and maps: project name, designer and date, as typed
// (GBK, like every text a project file holds).
struct ZProjectTitle {
    GbkString Project, Designer, Date;

    bool IsEmpty() const { return Project.empty() && Designer.empty() && Date.empty(); }
    bool operator==(const ZProjectTitle&) const = default;
};
