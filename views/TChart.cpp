#include "views/TChart.h"

#include <QPainter>
#include <QVariantMap>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kMarkArrow = 20;     // pixels between a bar's top and its mark
constexpr double kBarShare = 0.7;  // of each bar's slot

const QColor kWhite(255, 255, 255);

QFont ChartFont() {
    return QFont(QStringLiteral("Arial"), 8);
}

// The axis font is fixed for the run (its substitutes are in place before any window exists):
// measured once, as every bar's place depends on it several times over.
struct AxisMetrics {
    int labelWidth;  // of the widest axis label, "60"
    int lineHeight;
};

const AxisMetrics& Metrics() {
    static const AxisMetrics m = [] {
        const QFontMetrics fm(ChartFont());
        return AxisMetrics{fm.horizontalAdvance(QStringLiteral("60")), fm.height()};
    }();
    return m;
}

}  // namespace

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

QRect TChart::PlotRect() const {
    const AxisMetrics& fm = Metrics();
    const int left = 8 + fm.labelWidth + 6;
    const int top = 6 + fm.lineHeight + 6;
    const int bottom = height() - (fm.lineHeight + 8);
    return QRect(QPoint(left, top), QPoint(width() - 12, std::max(top, bottom)));
}

int TChart::BarCount() const {
    return static_cast<int>(std::max(Series1->Points().size(), Series2->Points().size()));
}

int TChart::ValueY(double v) const {
    const QRect plot = PlotRect();
    const double share = std::clamp(v / kAxisMax, 0.0, 1.0);
    return plot.bottom() + 1 - static_cast<int>(std::lround(share * (plot.height())));
}

QRect TChart::BarRect(int i) const {
    const QRect plot = PlotRect();
    const double slot = static_cast<double>(plot.width()) / std::max(1, BarCount());
    const int x1 = plot.left() + static_cast<int>(std::lround(slot * (i + (1 - kBarShare) / 2)));
    const int x2 = plot.left() + static_cast<int>(std::lround(slot * (i + (1 + kBarShare) / 2)));
    double total = 0;
    for (const TBarSeries* s : {Series1, Series2})
        if (static_cast<size_t>(i) < s->Points().size()) total += s->Points()[static_cast<size_t>(i)].value;
    return QRect(QPoint(x1, ValueY(total)), QPoint(std::max(x1, x2 - 1), plot.bottom()));
}

void TChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QFont font = ChartFont();
    const QFontMetrics fm(font);
    p.setFont(font);
    p.fillRect(rect(), palette().color(QPalette::Window));

    p.setPen(kWhite);
    p.drawText(QRect(0, 6, width(), fm.height()), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("SNR"));

    const QRect plot = PlotRect();
    p.fillRect(plot, palette().color(QPalette::ToolTipBase));

    // Left axis: a label and a grid line every 10.
    for (int v = 0; v <= static_cast<int>(kAxisMax); v += 10) {
        const int y = std::min(ValueY(v), plot.bottom());
        p.setPen(QPen(QColor(128, 128, 128), 0, Qt::DotLine));
        p.drawLine(plot.left(), y, plot.right(), y);
        p.setPen(kWhite);
        p.drawLine(plot.left() - 4, y, plot.left() - 1, y);
        const QRect label(0, y - fm.height() / 2, plot.left() - 6, fm.height());
        p.drawText(label, Qt::AlignRight | Qt::AlignVCenter, QString::number(v));
    }
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot.adjusted(-1, -1, 0, 0));

    const int n = BarCount();
    for (int i = 0; i < n; ++i) {
        const QRect bar = BarRect(i);
        const size_t k = static_cast<size_t>(i);
        double base = 0;
        for (const TBarSeries* s : {Series1, Series2}) {
            if (k >= s->Points().size()) continue;
            const TBarSeries::Point& pt = s->Points()[k];
            const int yTop = ValueY(base + pt.value);
            const int yBottom = ValueY(base);
            base += pt.value;
            if (yBottom <= yTop) continue;  // zero height: nothing to fill
            p.fillRect(QRect(bar.left(), yTop, bar.width(), yBottom - yTop), s->ColorOf(pt));
            p.setPen(QPen(Qt::black, 0));
            p.drawRect(QRect(bar.left(), yTop, bar.width() - 1, yBottom - yTop - 1));
        }

        if (k < Series1->Points().size()) {
            p.setPen(kWhite);
            const QRect label(bar.center().x() - 20, plot.bottom() + 4, 40, fm.height());
            p.drawText(label, Qt::AlignHCenter | Qt::AlignTop, Series1->Points()[k].label);
        }
        if (k < Series2->Points().size()) {
            // The mark: a framed box on a short line above the top of the stack.
            const QString text = Series2->Points()[k].label;
            const int w = fm.horizontalAdvance(text) + 4;
            const int h = fm.height() + 2;
            const int x = bar.center().x();
            // Bars near the top would push their marks out of the widget: those shorten the line.
            const QRect box(x - w / 2, std::max(0, bar.top() - kMarkArrow - h), w, h);
            p.setPen(QPen(kWhite, 0));
            p.drawLine(x, bar.top() - 1, x, box.bottom());
            p.fillRect(box, palette().color(QPalette::ToolTipBase));
            p.setPen(QPen(Qt::black, 0));
            p.drawRect(box.adjusted(0, 0, -1, -1));
            p.drawText(box, Qt::AlignCenter, text);
        }
    }
}
