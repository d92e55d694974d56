#pragma once
#include <QCursor>

// The graphic view's cursors, drawn in code: 142 zoom window, 143 zoom out, 144 zoom in,
// 145 real-time zoom, 146 real-time pan, 141 placing a background image, 266 insert, 267 delete
// and 306 move of the editing workshops.
class ZViewCursors {
public:
    // The cursor of a resource number; the arrow for an unknown one.
    static QCursor Cursor(int id);
};
