#pragma once
#include <vector>

class ZNetObject;

// The change hint every view receives. Objects, when given, is owned by the sender.
struct ZNetMsg {
    // BackgroundChanged: the background image was placed, cleared, shown or hidden;
    // NamedViewsChanged: the list of named views changed (nothing drawn changes);
    // TimeDataChanged: patterns, controls or time options changed (nothing drawn changes).
    // ProjectTitleChanged: the title block of reports and maps changed (nothing drawn changes).
    enum MsgCode {
        OptionsChanged = 2,
        CadImported = 3,
        ObjectsChanged = 7,
        Balanced = 8,
        BackgroundChanged = 20,
        NamedViewsChanged = 21,
        TimeDataChanged = 22,
        ProjectTitleChanged = 30
    };
    enum MsgSubCode { None = 0, Removed = 1, Added = 2, Moved = 4, PositionEdited = 5, AttributesEdited = 6 };

    int Code = 0;
    int SubCode = 0;
    int Reserved = 0;
    const std::vector<ZNetObject*>* Objects = nullptr;
};
