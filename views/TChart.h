#pragma once
#include <QColor>
#include <QObject>
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
    QVariantList points() const;
    QColor SeriesColor() const { return seriesColor_; }

signals:
    void changed();

private:
    std::vector<Point> points_;
    QColor seriesColor_;
};

// Chart1: the signal-to-noise bar chart, two stacked series on a fixed 0..60 axis.
class TChart : public QWidget {
    Q_OBJECT
public:
    explicit TChart(QWidget* parent = nullptr);

    TBarSeries* Series1;
    TBarSeries* Series2;

protected:
    void paintEvent(QPaintEvent*) override;
};
