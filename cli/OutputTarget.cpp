#include "OutputTarget.h"

#include <filesystem>
#include <iostream>
#include <system_error>

bool OutputTarget::IsInput(const std::string& command, const std::string& option, const std::string& out,
                           const std::string& in)
{
    if (out.empty() || in.empty())
        return false;
    std::error_code ec;
    if (!std::filesystem::equivalent(out, in, ec) || ec)
        return false;   // an output not there yet cannot be an input
    std::cerr << "qen-cli " << command << ": " << option << " " << out << " is the input file " << in
              << "; give the output another name\n";
    return true;
}
