#include "CadTestUtil.h"

#include <iconv.h>

std::string cadtest::Gbk(const std::string& utf8)
{
    iconv_t cd = iconv_open("GBK", "UTF-8");
    std::string out(utf8.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size(), outLeft = out.size();
    char* o = out.data();
    iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}
