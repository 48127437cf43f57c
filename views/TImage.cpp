#include "views/TImage.h"

#include <QPainter>

TImage::TImage(QWidget* parent) : QWidget(parent), canvas_(153, 153, QImage::Format_RGB32) {
    canvas_.fill(Qt::white);
}

void TImage::RoundRect(int x1, int y1, int x2, int y2, int w, int h) {
    QPainter p(&canvas_);
    p.setPen(pen_);
    p.setBrush(brush_);
    p.drawRoundedRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1), w / 2.0, h / 2.0);
    update();
}

void TImage::Ellipse(int x1, int y1, int x2, int y2) {
    QPainter p(&canvas_);
    p.setPen(pen_);
    p.setBrush(brush_);
    p.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
    update();
}

void TImage::TextOut(int x, int y, const QString& text) {
    QPainter p(&canvas_);
    p.setFont(font_);
    p.setPen(fontColor_);
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(brush_);
    p.drawText(QPoint(x, y + QFontMetrics(font_).ascent()), text);
    update();
}

void TImage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, canvas_);
}
