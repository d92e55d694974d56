#pragma once
#include <iosfwd>
#include <streambuf>

// Stands between qen-cli's output streams and the terminal: control bytes other than tab, line feed
// and carriage return (the progress bar's) are written as \xNN. Messages echo file names and
// option values as typed, and a name holding an escape sequence must not reach the terminal.
class ControlByteFilter : public std::streambuf {
public:
    // Installs itself into `stream` until destroyed.
    explicit ControlByteFilter(std::ostream& stream);
    ~ControlByteFilter() override;
    ControlByteFilter(const ControlByteFilter&) = delete;
    ControlByteFilter& operator=(const ControlByteFilter&) = delete;

protected:
    int_type overflow(int_type ch) override;
    int sync() override;

private:
    std::ostream& m_stream;
    std::streambuf* m_target;
};
