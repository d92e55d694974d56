#pragma once
#include <dxflib/dl_writer_ascii.h>

#include <string>

// A dxflib writer that collects the groups in memory and formats numbers itself: dxflib's own
// writer goes through a stream in the program's locale, which under de_DE writes group 1001 as
// "1.001". Only the buffer is used; the base class's file is never opened.
class DxfStringWriter : public DL_WriterA {
public:
    DxfStringWriter();

    void dxfReal(int gc, double value) const override;
    void dxfInt(int gc, int value) const override;
    void dxfHex(int gc, int value) const override;
    void dxfString(int gc, const char* value) const override;
    void dxfString(int gc, const std::string& value) const override;

    const std::string& Text() const { return m_text; }

private:
    void Code(int gc) const;

    mutable std::string m_text;   // the groups written so far, "code\nvalue\n" each
};
