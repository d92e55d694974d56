#pragma once
#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

class QPainter;
class QPrinter;

// A plot of values over a period: one line per object against the report times, the vertical
// axis in one unit for all. Drawn by Render for the screen and the printer alike; CsvText gives
// the same numbers as text (time, then one column per object).
class CTimeSeriesPlot : public QWidget {
    Q_OBJECT
public:
    struct Series {
        QString name;
        std::vector<double> values;   // one per time; NaN: no value (a gap)
    };

    explicit CTimeSeriesPlot(QWidget* parent = nullptr);

    // Times in seconds since the start and their clock texts (as many as each series' values).
    void SetTimes(std::vector<double> seconds, QStringList clockTexts);
    // The vertical axis's title with its unit; `stepped`: values hold until the next time
    // (statuses), drawn as steps; `levels` names the values 0, 1, ... (an empty list: numbers).
    void SetAxis(const QString& title, bool stepped = false, QStringList levels = {});
    void SetSeries(std::vector<Series> series);
    void SetTitle(const QString& title);

    const std::vector<Series>& SeriesList() const { return m_series; }
    const std::vector<double>& Times() const { return m_times; }
    QString Title() const { return m_title; }

    void Render(QPainter& painter, const QRect& area) const;
    // One page on the printer, the plot filling its page rectangle.
    void Print(QPrinter& printer) const;
    // "时刻" and one column per series, then a row per time; numbers as the project writes them.
    QString CsvText() const;

    QSize sizeHint() const override { return {720, 420}; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    std::vector<double> m_times;
    QStringList m_clock;
    QString m_title, m_axis;
    bool m_stepped = false;
    QStringList m_levels;
    std::vector<Series> m_series;
};
