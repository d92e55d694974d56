#pragma once
#include <string>
#include <vector>

class ProgressObserver;
class Prompt;
class ZContourSet;
class ZHeadField;
class ZNetwork;

// Makes a document's contours: the head field on a 100 x 100 cell grid over the network, then the
// polygons of every level from the first level up to the highest node value, sorted for drawing.
class ZContourGenerator {
public:
    // BadExtent: the network spans more than a double holds (coordinates near 1e308): no grid.
    enum Status { Ok = 0, Stopped, BadInterval, NoPipes, TooManyLevels, Declined, BadExtent };
    static constexpr int GridCells = 100;
    // Above this many levels the user is asked first; above the second, generation is refused
    // (tracing and drawing would take minutes and the lines would merge into one blot).
    static constexpr long LevelsWithoutAsking = 1000;
    static constexpr long MaxLevels = 20000;
    // Beyond this many levels the lines run together and the bands turn to noise: a coarser
    // interval is proposed (ProposedInterval) before generating.
    static constexpr long ReadableLevels = 50;
    // What a proposed interval aims at, at most.
    static constexpr long ProposedLevels = 20;

    struct Range {
        double first = 0.0;
        double high = 0.0;
        long levels = 0;
    };
    // The lowest value starts at 1000 and the highest at 0; the first level is the lowest value
    // truncated to a multiple of the interval. False for an interval that is not a positive number.
    static bool LevelRange(const std::vector<double>& nodeValues, double interval, Range& range);

    // The levels `interval` gives over the network's values of `kind` (0 for a refused interval).
    static long LevelCount(const ZNetwork& network, int kind, double interval);
    // An interval of 1, 2 or 5 times a power of ten giving as many levels as it can up to
    // ProposedLevels over the values; 0 when all values are equal (any interval gives one level).
    static double ProposedInterval(const std::vector<double>& nodeValues);
    static double ProposedInterval(const ZNetwork& network, int kind);

    // Whether generation may start: the interval, the number of levels, and the user's answer when
    // there are many (without a prompt there is no question and the answer is yes).
    static Status Check(const ZNetwork& network, int kind, double interval, Prompt* prompt, Range& range);
    static Status Generate(const ZNetwork& network, int kind, double interval, ZContourSet& out,
                           ProgressObserver* observer = nullptr, Prompt* prompt = nullptr);
    // The tracing stage over a field already computed (fractions 0.85 to 1); the field's values
    // near a level are nudged below it.
    static Status Trace(ZHeadField& field, const Range& range, double interval, ZContourSet& out,
                        ProgressObserver* observer = nullptr);

    // What to tell the user (UTF-8); empty for success and for a stop the user asked for.
    static std::string Message(Status status, long levels = 0);
    static std::string AskManyLevelsText(long levels);
};
