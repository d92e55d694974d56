#pragma once
#include "hydraulics/ZPipeSizing.h"

#include <QDialog>

#include <atomic>
#include <memory>
#include <thread>

class CSizingChart;
class KeyValueStore;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class UiPrompt;
class ZDrawSettings;
class ZNetwork;

// 管径优化: the candidate table (diameter in mm, cost per metre; remembered in the profile section
// "SizingDlg"), the limits, the locked pipes (the selected ones), and the search run beside the
// dialog with its best cost drawn as it falls. 停止 ends the search keeping the best design; 应用
// closes the dialog with the result, which the caller applies to the document.
class CSizingDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* Section = "SizingDlg";

    // The network must not change while the dialog is open (it is modal).
    CSizingDlg(const ZNetwork& network, const ZDrawSettings& settings, std::vector<int> selectedPipes, double costLawA,
               double costLawB, UiPrompt& prompt, QWidget* parent = nullptr);
    ~CSizingDlg() override;

    void Load(const KeyValueStore& profile);
    void Save(KeyValueStore& profile) const;

    bool HasResult() const { return m_hasResult; }
    const ZPipeSizing::Result& Result() const { return m_result; }
    const ZSizingProblem& Problem() const { return m_problem; }
    bool Running() const { return m_worker.joinable(); }

    QTableWidget* Table() const { return m_table; }
    QLineEdit* MinFreeHeadEdit() const { return m_minFreeHead; }
    QLineEdit* MaxVelocityEdit() const { return m_maxVelocity; }
    QLineEdit* TimeLimitEdit() const { return m_timeLimit; }
    QCheckBox* LockBox() const { return m_lock; }
    QPushButton* StartButton() const { return m_start; }
    QPushButton* StopButton() const { return m_stop; }
    QPushButton* ApplyButton() const { return m_apply; }
    CSizingChart* Chart() const { return m_chart; }
    QLabel* StatusLabel() const { return m_status; }

    void reject() override;

private:
    void Start();
    void Finished();
    // Reads the table and the limits into m_problem; false (and said why) when they do not hold.
    bool ReadProblem();
    void SetRows(const std::vector<ZSizingProblem::Candidate>& rows);
    void AddPoint(const ZPipeSizing::Point& p);

    const ZNetwork& m_network;
    const ZDrawSettings& m_settings;
    std::vector<int> m_selected;
    double m_costLawA, m_costLawB;
    UiPrompt& m_prompt;
    ZSizingProblem m_problem;
    ZPipeSizing::Result m_result;
    bool m_hasResult = false;
    std::thread m_worker;
    std::atomic<bool> m_stopRequest{false};

    QTableWidget* m_table;
    QLineEdit* m_minFreeHead;
    QLineEdit* m_maxVelocity;
    QLineEdit* m_timeLimit;
    QLineEdit* m_seed;
    QCheckBox* m_fire;
    QCheckBox* m_accident;
    QCheckBox* m_lock;
    QCheckBox* m_costLaw;
    QPushButton* m_start;
    QPushButton* m_stop;
    QPushButton* m_apply;
    CSizingChart* m_chart;
    QLabel* m_status;
};
