#pragma once
#include <string>

class TextLineReader;
class ZTimeData;

// The TIMEDATA section of the text exchange file, written after the others only when the
// document has time data (other files keep their bytes; older readers refuse the file by the
// unknown section). Tab-separated lines led by a keyword, in base units whatever the file's
// header says (seconds, m3/s, m, m3), numbers written to read back exactly:
//   DURATION, HYDRAULICSTEP, PATTERNSTEP, PATTERNSTART, REPORTSTEP, REPORTSTART, STARTCLOCK  seconds
//   DEFAULTPATTERN id | PRICE p | PRICEPATTERN id | EFFICIENCY percent
//   PATTERN id f1 ... f12            (more lines of the same id go on)
//   DEMAND node q [pattern]          PUMPPATTERN pump pattern
//   TANKCURVE tank level volume      (one point a line, levels ascending)
//   CONTROL link OPEN|CLOSED|SETTING setting AT|CLOCK seconds
//   CONTROL link OPEN|CLOSED|SETTING setting ABOVE|BELOW node value
class TextTimeData {
public:
    // Empty for data that are all defaults.
    static std::string Write(const ZTimeData& data);
    // One line of the section; the complaint (UTF-8), empty when the line was taken.
    static std::string ReadLine(const TextLineReader& line, ZTimeData& data);
};
