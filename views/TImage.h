#pragma once
#include <QColor>
#include <QFont>
#include <QImage>
#include <QWidget>

// Image1: a 153 x 153 bitmap with canvas-style drawing calls. A figure's box is
// (x1, y1)-(x2, y2) with the right and bottom edges exclusive; figures are
// filled with the brush and outlined with a one-pixel pen, all without
// antialiasing so that every pixel lands where the coordinates say.
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

    // Corner ellipses of w x h pixels.
    void RoundRect(int x1, int y1, int x2, int y2, int w, int h);
    void Ellipse(int x1, int y1, int x2, int y2);
    // The text's top-left corner at (x, y), on an opaque background of the brush colour.
    void TextOut(int x, int y, const QString& text);

    QSize sizeHint() const override { return canvas_.size(); }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage canvas_;
    QColor pen_{Qt::black};
    QColor brush_{Qt::white};
    QColor fontColor_{Qt::black};
    QFont font_;
};
