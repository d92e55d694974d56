#pragma once
#include <QDialog>

#include <vector>

class CTimeSeriesPlot;
class QComboBox;
class QLabel;
class UnitSystem;
class ZNetwork;
class ZSimulationResults;

// "过程线": the values of the selected nodes (head, free head, demand), links (flow, status) and
// tanks (level) over the simulated period, one quantity at a time, printable and copyable as
// CSV. The objects are those selected when the window opened; the numbers are copied, so the
// window stays right whatever happens to the network afterwards.
class CTimeSeriesDlg : public QDialog {
    Q_OBJECT
public:
    enum Quantity { Head = 0, FreeHead, Demand, Flow, Status, Level, QuantityCount };
    // At most this many objects of each kind are plotted (the first ones selected, by network
    // order); a note says when more were selected.
    static constexpr int MaxObjects = 20;

    CTimeSeriesDlg(const ZNetwork& net, const ZSimulationResults& results, const std::vector<QString>& clockTexts,
                   const UnitSystem& units, QWidget* parent = nullptr);

    // Whether the selection gave anything to plot.
    bool HasObjects() const { return m_available > 0; }
    // Shows the quantity (when the selection has objects for it); false otherwise.
    bool SetQuantity(int quantity);
    int CurrentQuantity() const { return m_quantity; }
    CTimeSeriesPlot* Plot() const { return m_plot; }
    QComboBox* QuantityCombo() const { return m_combo; }

    void CopyCsv() const;
    void PrintPlot();

private:
    struct Item {
        QString name;
        std::vector<double> values;
    };
    void Fill(int quantity);

    CTimeSeriesPlot* m_plot;
    QComboBox* m_combo;
    QLabel* m_note;
    int m_quantity = -1;
    int m_available = 0;
    std::vector<Item> m_items[QuantityCount];
    QString m_axis[QuantityCount];
};
