#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// A look at GBK bytes (the model's and the files' text), a type apart from std::string_view so that
// UTF-8 (messages, Qt, CSV, JSON) and GBK cannot be passed for one another: the only ways across
// are GbkCodec and GbkText. Bytes already known to be GBK (read from a GBK file, held by the model)
// are taken by the explicit constructor.
class GbkView {
public:
    constexpr GbkView() = default;
    constexpr explicit GbkView(std::string_view bytes) : m_bytes(bytes) {}
    // A literal of plain ASCII is the same text in GBK and UTF-8, so it may stand where GBK is
    // expected; one with any other byte does not compile (it would be UTF-8 from the source file).
    // A character array that is not a constant (a buffer) must be wrapped in a string_view.
    template <size_t N>
    consteval GbkView(const char (&literal)[N]) : m_bytes(literal, std::char_traits<char>::length(literal))
    {
        for (size_t i = 0; i < m_bytes.size(); ++i)
            if (static_cast<unsigned char>(literal[i]) >= 0x80)
                throw "non-ASCII literal: convert it with GbkCodec::FromUtf8";
    }

    constexpr std::string_view Bytes() const { return m_bytes; }
    constexpr const char* data() const { return m_bytes.data(); }
    constexpr size_t size() const { return m_bytes.size(); }
    constexpr bool empty() const { return m_bytes.empty(); }
    constexpr char operator[](size_t i) const { return m_bytes[i]; }
    constexpr GbkView substr(size_t pos, size_t count = std::string_view::npos) const
    {
        return GbkView(m_bytes.substr(pos, count));
    }

    // Byte order, as the network's arrays sort identifiers.
    friend constexpr bool operator==(GbkView a, GbkView b) { return a.m_bytes == b.m_bytes; }
    friend constexpr auto operator<=>(GbkView a, GbkView b) { return a.m_bytes <=> b.m_bytes; }

private:
    std::string_view m_bytes;
};

template <>
struct std::hash<GbkView> {
    size_t operator()(GbkView v) const noexcept { return std::hash<std::string_view>()(v.Bytes()); }
};
