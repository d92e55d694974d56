#pragma once
#include "GbkView.h"

#include <concepts>
#include <functional>
#include <string>
#include <utility>

// GBK bytes owned (identifiers, names, labels and prefixes the model keeps); GbkView without the
// lifetime worry. Built from bytes known to be GBK, from a GbkView, or by GbkCodec.
class GbkString {
public:
    GbkString() = default;
    // Only a std::string itself: a literal goes through GbkView's ASCII check instead.
    template <class S>
    requires std::same_as<S, std::string>
    explicit GbkString(S bytes) : m_bytes(std::move(bytes)) {}
    GbkString(GbkView view) : m_bytes(view.Bytes()) {}

    GbkString& operator=(GbkView view)
    {
        m_bytes.assign(view.Bytes());
        return *this;
    }

    operator GbkView() const { return GbkView(m_bytes); }
    GbkView View() const { return GbkView(m_bytes); }
    // For writers and C interfaces that take bytes.
    const std::string& Bytes() const { return m_bytes; }
    const char* c_str() const { return m_bytes.c_str(); }
    const char* data() const { return m_bytes.data(); }
    size_t size() const { return m_bytes.size(); }
    bool empty() const { return m_bytes.empty(); }
    char operator[](size_t i) const { return m_bytes[i]; }
    void clear() { m_bytes.clear(); }

    GbkString& operator+=(GbkView more)
    {
        m_bytes.append(more.Bytes());
        return *this;
    }
    friend GbkString operator+(GbkString a, GbkView b) { return std::move(a += b); }

    friend bool operator==(const GbkString& a, const GbkString& b) { return a.m_bytes == b.m_bytes; }
    friend auto operator<=>(const GbkString& a, const GbkString& b) { return a.m_bytes <=> b.m_bytes; }
    friend bool operator==(const GbkString& a, GbkView b) { return GbkView(a.m_bytes) == b; }
    friend auto operator<=>(const GbkString& a, GbkView b) { return GbkView(a.m_bytes) <=> b; }

private:
    std::string m_bytes;
};

template <>
struct std::hash<GbkString> {
    size_t operator()(const GbkString& s) const noexcept { return std::hash<std::string_view>()(s.Bytes()); }
};
