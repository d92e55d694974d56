// libFuzzer harness for the drawing writer of the CAD bridge.
//
// Build and run with scripts/fuzz.sh (clang with -fsanitize=fuzzer,address,undefined):
//   scripts/fuzz.sh dxfwriter 600                 # ten minutes, corpus in build-fuzz/corpus/dxfwriter
//   build-fuzz/fuzz_drawing_writer CRASHFILE      # replay one input
//
// Every input that reads as a drawing gets QEN's layers and entities and is written: the writer
// either refuses with a reason or writes a drawing that reads back with every entity it had plus
// ours, inside its sections, with handles of ours that nothing else has.
#include "DxfWriterCheck.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 1 << 20)
        return 0;
    const std::string fault = dxfcheck::RoundTrip(std::string(reinterpret_cast<const char*>(data), size));
    if (!fault.empty()) {
        std::fprintf(stderr, "fuzz_drawing_writer: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
