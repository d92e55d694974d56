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
                          double noise, uint64_t& rng, const std::vector<signed char>& tabu) const
{
    std::unordered_map<uint64_t, char> tried;   // designs found infeasible
    auto attempt = [&](std::vector<int>& trial) {
        const uint64_t h = DesignHash(trial);
        if (tried.count(h))
            return false;
        const ZSizingEvaluator::Outcome o = e.Evaluate(trial);
        if (o.feasible) {
            current = o;
            return true;
        }
        tried.emplace(h, 1);
        return false;
    };
    std::vector<ZSizingEvaluator::Move> moves;
    const size_t n = design.size();
    // Pairs tried once single steps fail: for each of the best few lowering moves, the raises
    // that take away the most loss per cost and cost less than the lowering saves.
    const size_t lowersPaired = std::min<size_t>(n, n <= 64 ? n : 24);
    const size_t raisesPerLower = std::min<size_t>(n, n <= 64 ? n : 12);
    for (;;) {
        current = e.Evaluate(design, &moves);
        if (!current.feasible || m_stop)
            return;
        // Moves the first-order change says the reserve covers come first, the best saving per
        // metre of loss first within each group.
        std::vector<std::pair<double, int>> lowers, raises;
        for (size_t i = 0; i < moves.size(); ++i) {
            const auto& m = moves[i];
            const double jitter = noise > 0.0 ? std::exp(noise * (SizingUniform(rng) - 0.5)) : 1.0;
            if (m.saving > 0.0 && tabu[i] <= 0)
                lowers.push_back({(m.margin >= 0.0 ? 1e300 : 0.0) + jitter * m.saving / std::max(m.lossRise, 1e-9),
                                  static_cast<int>(i)});
            if (std::isfinite(m.raiseCost) && m.lossDrop > 0.0 && tabu[i] >= 0)
                raises.push_back({jitter * m.lossDrop / std::max(m.raiseCost, 1e-9), static_cast<int>(i)});
        }
        auto byScore = [](const auto& a, const auto& b) {
            return a.first > b.first || (a.first == b.first && a.second < b.second);
        };
        std::sort(lowers.begin(), lowers.end(), byScore);
        std::sort(raises.begin(), raises.end(), byScore);
        bool improved = false;
        for (const auto& [score, i] : lowers) {
            if (m_stop)
                break;
            const size_t k = static_cast<size_t>(moves[static_cast<size_t>(i)].pipe);
            --design[k];
            if (attempt(design))
                improved = true;
            else
                ++design[k];
        }
        if (improved)
            continue;
        for (size_t li = 0; li < std::min(lowersPaired, lowers.size()) && !improved && !m_stop; ++li) {
            const auto& lower = moves[static_cast<size_t>(lowers[li].second)];
            size_t tries = 0;
            for (const auto& [score, j] : raises) {
                const auto& raise = moves[static_cast<size_t>(j)];
                if (raise.pipe == lower.pipe || raise.raiseCost >= lower.saving)
                    continue;
                if (tries++ == raisesPerLower || m_stop)
                    break;
                --design[static_cast<size_t>(lower.pipe)];
                ++design[static_cast<size_t>(raise.pipe)];
                if (attempt(design)) {
                    improved = true;
                    break;
                }
                ++design[static_cast<size_t>(lower.pipe)];
                --design[static_cast<size_t>(raise.pipe)];
            }
        }
        if (!improved)
            break;
    }
    current = e.Evaluate(design);
}

bool ZPipeSizing::Repair(ZSizingEvaluator& e, std::vector<int>& design, ZSizingEvaluator::Outcome& current,
                         double noise, uint64_t& rng, const std::vector<signed char>& tabu) const
{
    std::vector<ZSizingEvaluator::Move> moves;
    const size_t limit = design.size() * m_problem.candidates.size();
    for (size_t step = 0; step <= limit && !m_stop; ++step) {
        current = e.Evaluate(design, &moves);
        if (current.feasible)
            return true;
        if (!current.balanced)
            return false;
        int pick = -1;
        double bestScore = 0.0;
        for (size_t i = 0; i < moves.size(); ++i) {
            const auto& m = moves[i];
            if (tabu[i] < 0 || !std::isfinite(m.raiseCost) || !(m.reserve < 0.0) || !(m.lossDrop > 0.0))
                continue;
            const double jitter = noise > 0.0 ? std::exp(noise * (SizingUniform(rng) - 0.5)) : 1.0;
            const double score = jitter * std::min(m.lossDrop, -m.reserve) / std::max(m.raiseCost, 1e-9);
            if (pick < 0 || score > bestScore) {
                pick = static_cast<int>(i);
                bestScore = score;
            }
        }
        if (pick < 0)
            return false;
        ++design[static_cast<size_t>(moves[static_cast<size_t>(pick)].pipe)];
    }
    return false;
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
    std::vector<signed char> tabu(n, 0);
    const double noise = round == 0 && task == 0 ? 0.0 : 1.0;
    if (round > 0 && n > 0) {
        const int kicks = 1 + static_cast<int>(SizingNext(rng) % static_cast<uint64_t>(2 + std::min(stall, 20) / 5));
        // Up with the raised pipes held, up free to come back down, or down with a repair.
        const int kind = static_cast<int>(SizingNext(rng) % 3);
        const bool up = kind < 2;
        for (int i = 0; i < kicks; ++i) {
            const size_t k = SizingNext(rng) % n;
            int& d = f.design[k];
            if (up) {
                d = std::min(top, d + 1 + static_cast<int>(SizingNext(rng) % 2));
                tabu[k] = kind == 0 ? 1 : 0;
            } else {
                d = std::max(0, d - 1);
                tabu[k] = -1;
            }
        }
        if (!up && !Repair(e, f.design, f.outcome, noise, rng, tabu)) {
            f.done = true;
            return f;
        }
    }
    Descend(e, f.design, f.outcome, noise, rng, tabu);
    f.done = true;
    return f;
}

ZPipeSizing::Result ZPipeSizing::Run(ProgressObserver* progress)
{
    const auto t0 = std::chrono::steady_clock::now();
    m_stop = false;
    Result r;
    r.freePipes = m_free;
    if (m_problem.candidates.empty())   // Check refuses this; nothing to choose from
        return r;
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
