#pragma once
#include "cadbridge/CadBridge.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace cadtest {

inline std::string Data(const std::string& name)
{
    return std::string(QEN_TEST_DATA_DIR) + "/cad/" + name;
}

inline std::filesystem::path TempDir(const std::string& name)
{
    auto dir = std::filesystem::temp_directory_path() / ("qen-cad-" + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// One scan call as the callback saw it.
struct Call {
    std::vector<CadPoint> points;
    int percent = 0;
};

struct Recorder {
    std::vector<Call> calls;
    int stopAfter = -1;   // clears keepGoing on this call
    bool accept = true;

    static int Callback(int n, CadPoint* pts, int percent, void* user, int* keepGoing)
    {
        auto* r = static_cast<Recorder*>(user);
        r->calls.push_back({std::vector<CadPoint>(pts, pts + n), percent});
        if (static_cast<int>(r->calls.size()) - 1 == r->stopAfter)
            *keepGoing = 0;
        return n > 0 && r->accept ? 1 : 0;
    }
    int Taken() const
    {
        int n = 0;
        for (const Call& c : calls)
            n += c.points.empty() ? 0 : 1;
        return n;
    }
};

// ezdxf's reading and audit of a file: exit status (0: no errors; -1: ezdxf missing) and its
// JSON summary.
inline int Audit(const std::string& path, std::string& json)
{
    const std::string python = "/usr/bin/python3";
    if (std::system((python + " -c 'import ezdxf' 2>/dev/null").c_str()) != 0)
        return -1;
    const std::string cmd = python + " " + QEN_SOURCE_DIR + "/tests/cadbridge/audit_dxf.py '" + path + "'";
    FILE* p = popen(cmd.c_str(), "r");
    json.clear();
    char buf[4096];
    size_t n = 0;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        json.append(buf, n);
    const int status = pclose(p);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

// GBK bytes of a UTF-8 literal, as the bridge takes strings.
std::string Gbk(const std::string& utf8);

}   // namespace cadtest
