#pragma once
// Helpers shared by the project-file tests: an independent little-endian byte builder and small
// documents.
#include "model/ZDocument.h"
#include "model/ZPipeLink.h"

#include <cstdint>
#include <cstring>
#include <string>

struct LeBytes {
    std::string s;
    LeBytes& W(uint16_t v)
    {
        s += char(v & 0xFF);
        s += char(v >> 8);
        return *this;
    }
    LeBytes& D(uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            s += char(v >> (8 * i) & 0xFF);
        return *this;
    }
    LeBytes& F(double v)
    {
        uint64_t b;
        std::memcpy(&b, &v, 8);
        D(uint32_t(b));
        D(uint32_t(b >> 32));
        return *this;
    }
    LeBytes& B(uint8_t v)
    {
        s += char(v);
        return *this;
    }
    LeBytes& Str(const std::string& t)
    {
        s += t;
        return *this;
    }
    LeBytes& Zeros(size_t n)
    {
        s.append(n, '\0');
        return *this;
    }
    // A new class tag with its name.
    LeBytes& Class(const std::string& name, uint16_t schema = 1)
    {
        return W(0xFFFF).W(schema).W(uint16_t(name.size())).Str(name);
    }
    // ZNetObject fields.
    LeBytes& Head(const std::string& id, uint32_t flags, int32_t index)
    {
        return D(uint32_t(id.size())).Str(id).D(flags).D(uint32_t(index));
    }
    LeBytes& NodeTail(double x = 0, double y = 0) { return F(x).F(y).F(0).F(0).F(0).F(0); }
    // Flow, Resistance and the pipe fields of a default pipe without vertices.
    LeBytes& PipeTail(double length = 0) { return F(0).F(0).D(0).D(0).F(length).F(0.3).D(2).D(0).F(100.0).F(0.3).D(0); }
};

inline ZConsumeNode* AddNode(ZDocument& doc, const std::string& id, double x = 0, double y = 0)
{
    auto* n = new ZConsumeNode;
    n->SetId(GbkView(id));
    n->X = x;
    n->Y = y;
    doc.GetNetwork().AddNode(n);
    return n;
}

template <class Link = ZPipeLink>
Link* AddLink(ZDocument& doc, const std::string& id, ZConsumeNode* a, ZConsumeNode* b)
{
    auto* l = new Link;
    l->SetId(GbkView(id));
    doc.GetNetwork().AddLink(a, b, l);
    return l;
}
