#include "views/TImage.h"

#include <QPainter>

namespace {

// A one-pixel aliased pen strokes a w x h rectangle over w + 1 by h + 1 pixels, so
// the box loses a pixel at its right and bottom to cover x1 <= x < x2, y1 <= y < y2.
QRect OutlineBox(int x1, int y1, int x2, int y2) {
    return QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
}

}  // namespace

TImage::TImage(QWidget* parent) : QWidget(parent), canvas_(153, 153, QImage::Format_RGB32) {
    canvas_.fill(Qt::white);
}

void TImage::RoundRect(int x1, int y1, int x2, int y2, int w, int h) {
    QPainter p(&canvas_);
    p.setPen(QPen(pen_, 0));
    p.setBrush(brush_);
    p.drawRoundedRect(OutlineBox(x1, y1, x2, y2), w / 2.0, h / 2.0);
    update();
}

void TImage::Ellipse(int x1, int y1, int x2, int y2) {
    QPainter p(&canvas_);
    p.setPen(QPen(pen_, 0));
    p.setBrush(brush_);
    p.drawEllipse(OutlineBox(x1, y1, x2, y2));
    update();
}

void TImage::TextOut(int x, int y, const QString& text) {
    QFont font = font_;
    font.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics metrics(font, &canvas_);
    QPainter p(&canvas_);
    p.setFont(font);
    p.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()), brush_);
    p.setPen(fontColor_);
    p.drawText(QPoint(x, y + metrics.ascent()), text);
    update();
}

void TImage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, canvas_);
}
