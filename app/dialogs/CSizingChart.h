#pragma once
#include <QVector>
#include <QWidget>

// The sizing search's best cost against time, as steps: each point a better design found.
class CSizingChart : public QWidget {
    Q_OBJECT
public:
    explicit CSizingChart(QWidget* parent = nullptr);
    void Clear();
    void Add(double seconds, double cost, bool feasible);
    // The search ended at `seconds`: the last best holds until then.
    void SetEnd(double seconds);
    int PointCount() const { return m_points.size(); }
    QSize sizeHint() const override { return QSize(360, 160); }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    struct Point {
        double seconds, cost;
        bool feasible;
    };
    QVector<Point> m_points;
    double m_end = 0.0;
};
