// libFuzzer harness for the DXF reader: groups, section structure, drawing analysis, the pipe
// scan (entities, blocks, arrays, arcs) and the import into a network with tee splitting.
//
// Build and run with scripts/fuzz.sh (clang with -fsanitize=fuzzer,address,undefined):
//   scripts/fuzz.sh dxf 600              # ten minutes, corpus in build-fuzz/corpus/dxf
//   build-fuzz/fuzz_dxf_file CRASHFILE   # replay one input
//
// Every input must either be refused with a DxfError naming the file, or scan with only finite
// points and drawn lengths no shorter than their chords, and import into a network that holds
// only finite numbers and hangs together. The same input with CR LF line ends gives the same.
#include "Continuity.h"
#include "FuzzChecks.h"
#include "cadbridge/DxfDrawing.h"
#include "cadbridge/DxfError.h"
#include "cadbridge/DxfPipeScanner.h"
#include "cadbridge/DxfTagReader.h"
#include "model/ZDocument.h"
#include "model/ZTemplateSet.h"
#include "persist/ZCadImport.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {
const std::string kName = "fuzz.dxf";

[[noreturn]] void Die(const char* what)
{
    std::fprintf(stderr, "fuzz_dxf_file: %s\n", what);
    std::abort();
}

struct Sink {
    ZCadImport* import;
    DxfPipeScanner* scanner;
    int calls = 0;
    static int Call(int count, CadPoint* points, int percent, void* user, int* keepGoing)
    {
        auto* s = static_cast<Sink*>(user);
        ++s->calls;
        if (percent < 0 || percent > 99 || *keepGoing == 0)
            Die("progress out of range or a call after the stop");
        if (count == 0)
            return 0;
        double chords = 0;
        for (int i = 0; i < count; ++i) {
            if (!std::isfinite(points[i].x) || !std::isfinite(points[i].y))
                Die("a point that is not finite was passed");
            if (i > 0)
                chords += std::hypot(points[i].x - points[i - 1].x, points[i].y - points[i - 1].y);
        }
        const double drawn = s->scanner->CurrentLength();
        if (!std::isfinite(drawn) || drawn < chords * (1 - 1e-9) - 1e-9)
            Die("a drawn length shorter than its chords");
        bool go = true;
        const bool taken = s->import->OnScannedEntity(reinterpret_cast<const PipePoint*>(points), count, percent, go,
                                                      drawn, static_cast<int>(s->scanner->CurrentLine()));
        return taken ? 1 : 0;
    }
};

// The outcome as text: the refusal, or the counts and the scan report.
std::string Run(const std::string& text)
{
    std::unique_ptr<DxfDrawing> drawing;
    try {
        drawing = DxfDrawing::FromTags(DxfTagReader::ReadBuffer(text, kName), kName);
    } catch (const DxfError& e) {
        const std::string what = e.what();
        if (what.find(kName) == std::string::npos)
            Die("a refusal that does not name the file");
        return "refused: " + what;
    }
    static const ZTemplateSet templates;
    std::string out;
    const std::vector<std::string> layers = {"PIPE", "0"};
    for (const std::vector<std::string>* l : {static_cast<const std::vector<std::string>*>(nullptr), &layers}) {
        ZDocument doc;
        ZCadImport::Options o;
        o.MinDist = 0.5;
        o.ScaleQen = 1000;
        o.SplitAtTees = true;
        ZCadImport import(doc.GetNetwork(), templates, o);
        DxfPipeScanner scanner(*drawing, l, 3);
        Sink sink{&import, &scanner};
        const int taken = scanner.Run(&Sink::Call, &sink);
        import.Finish();
        import.SplitAtTees();
        if (!NetworkIsFinite(doc.GetNetwork()))
            Die("a number that is not finite reached the network");
        const std::string fault = ContinuityFault(doc.GetNetwork());
        if (!fault.empty())
            Die(("an imported network does not hang together: " + fault).c_str());
        out += std::to_string(taken) + " " + std::to_string(doc.GetNetwork().LinkCount()) + " " +
               std::to_string(doc.GetNetwork().NodeCount()) + "\n" + scanner.Report();
    }
    return out;
}
}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string outcome = Run(text);
    std::string crlf;
    crlf.reserve(text.size() + text.size() / 8);
    for (char c : text) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    // Refusals name lines, which stay the same; a value that ended in CR is read the same.
    if (text.find('\r') == std::string::npos && Run(crlf) != outcome)
        Die("CR LF line ends changed the outcome");
    return 0;
}
