#include "CostCommand.h"

#include "DocumentIo.h"
#include "ExitCode.h"
#include "NumberOptions.h"
#include "hydraulics/ZNetCost.h"
#include "model/ZDocument.h"
#include "text/TextLanguage.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <cmath>
#include <iostream>

bool CostCommand::ParseDate(const std::string& text, long long& seconds)
{
    int y = 0, m = 0, d = 0;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return false;
    auto num = [&](size_t at, size_t len, int& v) {
        const auto r = std::from_chars(text.data() + at, text.data() + at + len, v);
        return r.ec == std::errc() && r.ptr == text.data() + at + len;
    };
    if (!num(0, 4, y) || !num(5, 2, m) || !num(8, 2, d) || m < 1 || m > 12 || d < 1)
        return false;
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (d > days[m - 1] + (m == 2 && leap ? 1 : 0))
        return false;
    // Days from the civil date (proleptic Gregorian).
    const int yy = y - (m <= 2 ? 1 : 0);
    const int era = (yy >= 0 ? yy : yy - 399) / 400;
    const int yoe = yy - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    seconds = (static_cast<long long>(era) * 146097 + doe - 719468) * 86400LL;
    return true;
}

void CostCommand::Register(CLI::App& app)
{
    CLI::App* sub = app.add_subcommand(Name(), "Pipe construction cost and pump running cost");
    sub->add_option("FILE", m_file, "Network file")->required();
    const NumberOption::Range coefficient{0.0, ZNetCost::MaxCoefficient};
    NumberOptions::Add(sub, "--a", m_a, coefficient, "Cost per metre, fixed part (default: the file's)");
    NumberOptions::Add(sub, "--b", m_b, coefficient, "Cost per metre, diameter coefficient (default: the file's)");
    NumberOptions::Add(sub, "--alpha", m_alpha, {0.0, ZNetCost::MaxAlpha}, "Diameter exponent (default 1)");
    NumberOptions::Add(sub, "--price", m_price, {0.0, ZNetCost::MaxPrice},
                       "Electricity price, yuan per kWh (default 1)");
    sub->add_option("--since", m_since, "Only pipes laid on or after this date, YYYY-MM-DD (default: every pipe)");
}

int CostCommand::Run()
{
    ZNetCost::Params params;
    params.wholeNetwork = m_since.empty();
    long long since = 0;
    if (!m_since.empty() && !ParseDate(m_since, since)) {
        std::cerr << "qen-cli cost: --since wants a date YYYY-MM-DD, not \"" << m_since << "\"\n";
        return ExitUsage;
    }
    params.since = since;
    ZDocument doc;
    m_io.Load(m_file, doc);
    const ZBalanceParams& stored = doc.GetDrawSettings().Params;
    params.a = m_a.value_or(stored.ParamA);
    params.b = m_b.value_or(stored.ParamB);
    params.alpha = m_alpha.value_or(1.0);
    params.price = m_price.value_or(stored.ElecPrice);
    params.balanced = doc.GetDrawSettings().Balanced != 0;
    std::cout << TextLanguage::Tr(ZNetCost::Report(ZNetCost::Compute(doc.GetNetwork(), params)));
    return ExitOk;
}
