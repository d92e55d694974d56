#include "ControlByteFilter.h"

#include <ostream>

ControlByteFilter::ControlByteFilter(std::ostream& stream) : m_stream(stream), m_target(stream.rdbuf(this)) {}

ControlByteFilter::~ControlByteFilter()
{
    m_stream.rdbuf(m_target);
}

ControlByteFilter::int_type ControlByteFilter::overflow(int_type ch)
{
    if (traits_type::eq_int_type(ch, traits_type::eof()))
        return traits_type::not_eof(ch);
    const auto c = static_cast<unsigned char>(traits_type::to_char_type(ch));
    if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F) {
        static const char hex[] = "0123456789ABCDEF";
        const char escaped[4] = {'\\', 'x', hex[c >> 4], hex[c & 15]};
        return m_target->sputn(escaped, 4) == 4 ? ch : traits_type::eof();
    }
    return traits_type::eq_int_type(m_target->sputc(static_cast<char>(c)), traits_type::eof()) ? traits_type::eof()
                                                                                               : ch;
}

int ControlByteFilter::sync()
{
    return m_target->pubsync();
}
