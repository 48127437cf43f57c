#pragma once
#include <QColor>
#include <QFont>
#include <QImage>
#include <QWidget>

// Image1: a 153 x 153 drawing surface with canvas-style drawing calls. Boxes
// are given as (x1, y1)-(x2, y2) with the right and bottom edges exclusive.
class TImage : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QImage canvas READ canvas)
public:
    explicit TImage(QWidget* parent = nullptr);

    QImage canvas() const { return canvas_; }

    void SetPenColor(const QColor& c) { pen_ = c; }
    void SetBrushColor(const QColor& c) { brush_ = c; }
    void SetFont(const QFont& f) { font_ = f; }
    void SetFontColor(const QColor& c) { fontColor_ = c; }

    void RoundRect(int x1, int y1, int x2, int y2, int w, int h);
    void Ellipse(int x1, int y1, int x2, int y2);
    void TextOut(int x, int y, const QString& text);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage canvas_;
    QColor pen_{Qt::black};
    QColor brush_{Qt::white};
    QColor fontColor_{Qt::black};
    QFont font_;
};
