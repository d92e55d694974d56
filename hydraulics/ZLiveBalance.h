#pragma once
#include "ZSweepNetwork.h"

#include <atomic>
#include <memory>
#include <string>

class ZDrawSettings;
class ZNetwork;

// One balance of "自动平差", the balancing that follows every edit: the network is copied where
// the edit was made, the copy balanced on a worker thread while the editor goes on, and the
// results written back into the network when it is still the one copied. The copy keeps the
// objects' list positions, so writing back goes position by position.
class ZLiveBalance {
public:
    enum Outcome { Balanced, FallsApart, Failed, Stopped };

    // Copies network and calculation record (on the thread that owns them).
    ZLiveBalance(const ZNetwork& source, const ZDrawSettings& settings);

    // Balances the copy (on any thread). `warm`: from the heads the copy holds, the results of the
    // last balance, with a cold start when that fails. `stop`, when given, ends the run at its next
    // pass once it is set.
    Outcome Run(bool warm, const std::atomic<bool>* stop = nullptr);
    Outcome Result() const { return m_outcome; }
    // The ZBalanceInfo status of the run (0 when the network fell apart).
    int Status() const { return m_status; }
    int Passes() const { return m_passes; }
    // Why the network did not balance (UTF-8), as the balancing command would tell it.
    const std::string& Message() const { return m_message; }

    // After a balanced run: heads, demands met, flows and the states a balance sets go into
    // `target`, the network the copy was taken from and unchanged since (the caller knows).
    // False, with nothing written, when its object counts are not the copy's.
    bool WriteBack(ZNetwork& target) const;

private:
    ZSweepNetwork m_copy;
    Outcome m_outcome = Stopped;
    int m_status = 0;
    int m_passes = 0;
    std::string m_message;
};
