#include "views/TChart.h"

#include <QPainter>
#include <QVariantMap>

TBarSeries::TBarSeries(QObject* parent, const QString& name, const QColor& seriesColor)
    : QObject(parent), seriesColor_(seriesColor) {
    setObjectName(name);
}

void TBarSeries::Clear() {
    points_.clear();
    emit changed();
}

void TBarSeries::Add(double value, const QString& label, const QColor& color) {
    points_.push_back({value, label, color});
    emit changed();
}

QVariantList TBarSeries::points() const {
    QVariantList list;
    for (const Point& p : points_) {
        QVariantMap m;
        m.insert(QStringLiteral("value"), p.value);
        m.insert(QStringLiteral("label"), p.label);
        m.insert(QStringLiteral("color"), p.color);
        list.push_back(m);
    }
    return list;
}

TChart::TChart(QWidget* parent)
    : QWidget(parent),
      Series1(new TBarSeries(this, QStringLiteral("Series1"), QColor(0, 128, 64))),
      Series2(new TBarSeries(this, QStringLiteral("Series2"), QColor(255, 255, 255))) {
    connect(Series1, &TBarSeries::changed, this, qOverload<>(&QWidget::update));
    connect(Series2, &TBarSeries::changed, this, qOverload<>(&QWidget::update));
}

void TChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(7, 73, 173));
}
