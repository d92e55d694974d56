#include "InpReport.h"

void InpReport::Add(const std::string& what, const std::string& id, const std::string& detail)
{
    for (Item& item : m_items) {
        if (item.what == what) {
            if (!id.empty())
                item.ids.push_back(id);
            return;
        }
    }
    m_items.push_back({what, {}, detail});
    if (!id.empty())
        m_items.back().ids.push_back(id);
}

const InpReport::Item* InpReport::Find(const std::string& what) const
{
    for (const Item& item : m_items) {
        if (item.what == what)
            return &item;
    }
    return nullptr;
}

std::string InpReport::Text() const
{
    std::string out;
    for (const std::string& n : m_notes)
        out += n + "\n";
    if (m_items.empty()) {
        out += "没有近似或舍弃的内容。\n";
        return out;
    }
    for (const Item& item : m_items) {
        out += "- " + item.what;
        if (!item.ids.empty())
            out += " (" + std::to_string(item.ids.size()) + ")";
        out += "\n";
        if (!item.detail.empty())
            out += "    " + item.detail + "\n";
        std::string line = "    ";
        for (size_t i = 0; i < item.ids.size(); ++i) {
            const std::string piece = item.ids[i] + (i + 1 < item.ids.size() ? ", " : "");
            if (line.size() + piece.size() > 100) {
                out += line + "\n";
                line = "    ";
            }
            line += piece;
        }
        if (line.size() > 4)
            out += line + "\n";
    }
    return out;
}
