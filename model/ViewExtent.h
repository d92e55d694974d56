#pragma once
#include <algorithm>

// A world rectangle in metres. An "empty" extent (left > right) absorbs the first point unioned into it.
struct ViewExtent {
    double left = 0.0;
    double bottom = 0.0;
    double right = 0.0;
    double top = 0.0;

    static ViewExtent Empty() { return {1.0, 1.0, -1.0, -1.0}; }
    bool IsEmpty() const { return left > right || bottom > top; }
    double Width() const { return right - left; }
    double Height() const { return top - bottom; }

    void Normalize()
    {
        if (left > right)
            std::swap(left, right);
        if (bottom > top)
            std::swap(bottom, top);
    }
    void Include(double x, double y)
    {
        if (IsEmpty()) {
            left = right = x;
            bottom = top = y;
            return;
        }
        left = std::min(left, x);
        right = std::max(right, x);
        bottom = std::min(bottom, y);
        top = std::max(top, y);
    }
    void Include(const ViewExtent& r)
    {
        if (r.IsEmpty())
            return;
        Include(r.left, r.bottom);
        Include(r.right, r.top);
    }
    bool Contains(double x, double y) const { return x >= left && x <= right && y >= bottom && y <= top; }
    bool Intersects(const ViewExtent& r) const
    {
        return !(r.left > right || r.right < left || r.bottom > top || r.top < bottom);
    }
    bool operator==(const ViewExtent&) const = default;
};
