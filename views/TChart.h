#pragma once
#include <QColor>
#include <QObject>
#include <QRect>
#include <QVariantList>
#include <QWidget>
#include <vector>

// One bar series of Chart1; its points can be read back through `points`.
class TBarSeries : public QObject {
    Q_OBJECT
    Q_PROPERTY(QVariantList points READ points)
public:
    struct Point {
        double value;
        QString label;
        QColor color;  // invalid: the series' own colour
    };
    TBarSeries(QObject* parent, const QString& name, const QColor& seriesColor);

    void Clear();
    void Add(double value, const QString& label, const QColor& color = QColor());
    const std::vector<Point>& Points() const { return points_; }
    // Each point as a map of "value", "label" and "color" (invalid when the point has none).
    QVariantList points() const;
    QColor SeriesColor() const { return seriesColor_; }
    QColor ColorOf(const Point& p) const { return p.color.isValid() ? p.color : seriesColor_; }

signals:
    void changed();

private:
    std::vector<Point> points_;
    QColor seriesColor_;
};

// Chart1: the signal-to-noise bar chart. Series2 is stacked on Series1 and
// shows its labels as marks above the bars; Series1's labels stand on the
// bottom axis. The left axis is fixed from 0 to 60. The surround takes the
// palette's Window colour, the plot area its ToolTipBase colour.
class TChart : public QWidget {
    Q_OBJECT
public:
    explicit TChart(QWidget* parent = nullptr);

    TBarSeries* Series1;
    TBarSeries* Series2;

    static constexpr double kAxisMax = 60.0;

    // The plot area (back wall) in widget pixels.
    QRect PlotRect() const;
    // The full stacked bar of point i, clipped to the plot area.
    QRect BarRect(int i) const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    int BarCount() const;
    // Widget y of a value on the left axis, pinned to the plot area.
    int ValueY(double v) const;
};
