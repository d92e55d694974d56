#include "ZPipeSizing.h"

#include "model/ProgressObserver.h"
#include "model/ZDrawSettings.h"
#include "model/ZNetwork.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>

namespace {
uint64_t SizingNext(uint64_t& state)
{
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double SizingUniform(uint64_t& state)
{
    return static_cast<double>(SizingNext(state) >> 11) * (1.0 / 9007199254740992.0);
}

uint64_t DesignHash(const std::vector<int>& design)
{
    uint64_t h = 1469598103934665603ull;
    for (int v : design) {
        h ^= static_cast<uint64_t>(v) + 1;
        h *= 1099511628211ull;
    }
    return h;
}

double SizingSeconds(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}
}   // namespace

ZPipeSizing::ZPipeSizing(const ZNetwork& network, const ZDrawSettings& settings, ZSizingProblem problem)
    : m_network(network), m_settings(settings), m_problem(std::move(problem))
{
    m_free = FreePipes(network, m_problem.locked);
}

std::vector<int> ZPipeSizing::FreePipes(const ZNetwork& network, const std::vector<int>& locked)
{
    std::vector<char> isLocked(static_cast<size_t>(network.LinkCount()), 0);
    for (int l : locked)
        if (l >= 0 && l < network.LinkCount())
            isLocked[static_cast<size_t>(l)] = 1;
    std::vector<int> free;
    for (int l = 0; l < network.LinkCount(); ++l)
        if (network.LinkAt(l)->GetKind() == ZNetObject::Kind::Pipe && !isLocked[static_cast<size_t>(l)])
            free.push_back(l);
    return free;
}

void ZPipeSizing::Descend(ZSizingEvaluator& e, std::vector<int>& design, ZSizingEvaluator::Outcome& current,
                          double noise, uint64_t& rng) const
{
    std::unordered_map<uint64_t, char> tried;   // designs found infeasible
    std::vector<ZSizingEvaluator::Move> moves;
    for (;;) {
        current = e.Evaluate(design, &moves);
        if (!current.feasible || m_stop)
            return;
        // Moves the first-order change says the reserve covers come first, the best saving per
        // metre of loss first within each group.
        std::vector<std::pair<double, int>> order;
        for (size_t i = 0; i < moves.size(); ++i) {
            const auto& m = moves[i];
            double score = m.saving / std::max(m.lossRise, 1e-9);
            if (noise > 0.0)
                score *= std::exp(noise * (SizingUniform(rng) - 0.5));
            order.push_back({(m.margin >= 0.0 ? 1e300 : 0.0) + score, static_cast<int>(i)});
        }
        std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
            return a.first > b.first || (a.first == b.first && a.second < b.second);
        });
        bool improved = false;
        for (const auto& [score, i] : order) {
            if (m_stop)
                break;
            const int k = moves[static_cast<size_t>(i)].pipe;
            --design[static_cast<size_t>(k)];
            const uint64_t h = DesignHash(design);
            if (!tried.count(h)) {
                const ZSizingEvaluator::Outcome o = e.Evaluate(design);
                if (o.feasible) {
                    current = o;
                    improved = true;
                    continue;
                }
                tried.emplace(h, 1);
            }
            ++design[static_cast<size_t>(k)];
        }
        if (!improved)
            break;
    }
    current = e.Evaluate(design);
}

ZPipeSizing::Found ZPipeSizing::Search(ZSizingEvaluator& e, int round, int task, const std::vector<int>& from,
                                       int stall) const
{
    Found f;
    f.design = from;
    uint64_t rng = m_problem.seed * 0x2545F4914F6CDD1Dull + static_cast<uint64_t>(round) * 1000003ull +
                   static_cast<uint64_t>(task);
    SizingNext(rng);
    e.Restart();
    const int top = static_cast<int>(m_problem.candidates.size()) - 1;
    const size_t n = f.design.size();
    if (round > 0 && n > 0) {
        const int kicks = 1 + static_cast<int>(SizingNext(rng) % static_cast<uint64_t>(2 + std::min(stall, 20) / 5));
        for (int i = 0; i < kicks; ++i) {
            int& d = f.design[static_cast<size_t>(SizingNext(rng) % n)];
            d = std::min(top, d + 1 + static_cast<int>(SizingNext(rng) % 2));
        }
    }
    const double noise = round == 0 && task == 0 ? 0.0 : 1.0;
    Descend(e, f.design, f.outcome, noise, rng);
    f.done = true;
    return f;
}

ZPipeSizing::Result ZPipeSizing::Run(ProgressObserver* progress)
{
    const auto t0 = std::chrono::steady_clock::now();
    m_stop = false;
    Result r;
    r.freePipes = m_free;
    const int jobs = std::max(1, m_problem.jobs);
    std::vector<std::unique_ptr<ZSizingEvaluator>> evaluators;
    for (int j = 0; j < jobs; ++j)
        evaluators.push_back(std::make_unique<ZSizingEvaluator>(m_network, m_settings, m_problem, m_free));
    ZSizingEvaluator& first = *evaluators[0];
    auto evaluations = [&] {
        long long total = 0;
        for (const auto& e : evaluators)
            total += e->Evaluations();
        return total;
    };

    const int top = static_cast<int>(m_problem.candidates.size()) - 1;
    const std::vector<int> largest(m_free.size(), top);
    first.Restart();
    const ZSizingEvaluator::Outcome atLargest = first.Evaluate(largest);
    first.Restart();
    r.economicDesign = ZEconomicSizing::Design(first, m_problem, m_table);
    first.Restart();
    const ZSizingEvaluator::Outcome economic = first.Evaluate(r.economicDesign);
    r.economicCost = economic.cost;
    r.economicFeasible = economic.feasible;

    std::vector<int> best = largest;
    ZSizingEvaluator::Outcome bestOutcome = atLargest;
    if (economic.feasible && (!atLargest.feasible || economic.cost < atLargest.cost)) {
        best = r.economicDesign;
        bestOutcome = economic;
    } else if (!atLargest.feasible && economic.balanced && economic.violation < atLargest.violation) {
        best = r.economicDesign;
        bestOutcome = economic;
    }
    auto record = [&](const ZSizingEvaluator::Outcome& o) {
        Point p{SizingSeconds(t0), o.cost, o.feasible, evaluations()};
        r.history.push_back(p);
        if (m_listener)
            m_listener(p);
    };
    record(bestOutcome);

    if (bestOutcome.feasible) {
        std::vector<int> incumbent = best;
        double incumbentCost = bestOutcome.cost;
        int stall = 0;
        const int tasks = std::max(1, m_problem.roundTasks);
        for (int round = 0; !m_stop; ++round) {
            std::vector<Found> found(static_cast<size_t>(tasks));
            std::atomic<int> next{0};
            int finished = 0;
            std::mutex mutex;
            std::condition_variable cv;
            std::vector<std::thread> threads;
            for (int j = 0; j < jobs; ++j)
                threads.emplace_back([&, j] {
                    for (int t; (t = next++) < tasks && !m_stop;)
                        found[static_cast<size_t>(t)] =
                            Search(*evaluators[static_cast<size_t>(j)], round, t, incumbent, stall);
                    std::lock_guard<std::mutex> lock(mutex);
                    ++finished;
                    cv.notify_all();
                });
            {
                std::unique_lock<std::mutex> lock(mutex);
                while (!cv.wait_for(lock, std::chrono::milliseconds(50), [&] { return finished == jobs; })) {
                    const double used = SizingSeconds(t0);
                    if (progress) {
                        progress->Progress(std::min(0.99, used / m_problem.timeLimit));
                        if (progress->StopRequested())
                            m_stop = true;
                    }
                    if (used >= m_problem.timeLimit)
                        m_stop = true;
                }
            }
            for (auto& t : threads)
                t.join();
            ++r.rounds;

            int pick = -1;
            for (int t = 0; t < tasks; ++t) {
                const Found& f = found[static_cast<size_t>(t)];
                if (f.done && f.outcome.feasible &&
                    (pick < 0 || f.outcome.cost < found[static_cast<size_t>(pick)].outcome.cost))
                    pick = t;
            }
            bool better = false;
            if (pick >= 0) {
                const Found& f = found[static_cast<size_t>(pick)];
                if (f.outcome.cost < incumbentCost * (1.0 - 1e-12)) {
                    better = true;
                } else if (f.outcome.cost <= incumbentCost * (1.0 + 1e-12) && f.design != incumbent) {
                    incumbent = f.design;   // wander along a plateau
                }
                if (better) {
                    incumbent = f.design;
                    incumbentCost = f.outcome.cost;
                    if (f.outcome.cost < bestOutcome.cost) {
                        best = f.design;
                        bestOutcome = f.outcome;
                        record(bestOutcome);
                    }
                }
            }
            stall = better ? 0 : stall + 1;
            if (stall >= m_problem.stallRounds)
                break;
            const double used = SizingSeconds(t0);
            if (progress) {
                progress->Progress(std::min(0.99, used / m_problem.timeLimit));
                if (progress->StopRequested())
                    m_stop = true;
            }
            if (used >= m_problem.timeLimit)
                m_stop = true;
        }
    }
    r.stopped = m_stop;

    first.Restart();
    const ZSizingEvaluator::Outcome last = first.Evaluate(best);
    r.design = best;
    r.cost = last.cost;
    r.feasible = last.feasible;
    r.lowestSlack = last.lowestSlack;
    r.worstNode = last.worstNode;
    r.worstCase = last.worstCase;
    r.shortfalls = first.Shortfalls();
    r.evaluations = evaluations();
    r.seconds = SizingSeconds(t0);
    if (progress)
        progress->Progress(1.0);
    return r;
}
