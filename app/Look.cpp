#include "app/Look.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFont>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPalette>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cmath>

#include "ui_TForm1.h"

namespace {

// The channel number column looks like a fixed column but stays ordinary cells,
// so it is written and emptied like any other; a delegate keeps its grey for
// every item, however the item was created.
class FixedColumnDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->backgroundBrush = option->palette.button();
        option->palette.setBrush(QPalette::Text, option->palette.buttonText());
    }
};

// Width of the caption's ink, from the first pixel the text starts at; trailing blanks take no room.
int InkWidth(const QFont& font, const QString& text) {
    const QString shown = text.trimmed().isEmpty() ? QString() : text;
    return shown.isEmpty() ? 0 : QFontMetrics(font).tightBoundingRect(shown).right() + 1;
}

// The room a check box or radio button leaves for its caption inside its own rectangle.
int ButtonTextRoom(const QAbstractButton* b) {
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    const bool radio = qobject_cast<const QRadioButton*>(b) != nullptr;
    const QRect r = b->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &opt, b);
    return std::min(r.right(), b->width() - 1) - r.left() + 1;
}

}  // namespace

void InstallFontSubstitutions() {
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QString::fromUtf8("宋体"), QStringLiteral("WenQuanYi Micro Hei"));
}

void PaintBackground(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void SetTextColour(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Active, QPalette::WindowText, colour);
    p.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    w->setPalette(p);
}

int CaptionOverrun(const QWidget* w) {
    if (const auto* l = qobject_cast<const QLabel*>(w)) {
        // A label's text may run past its own box, never past its parent's edge.
        const int room = std::min(l->width(), l->parentWidget()->width() - l->x());
        return InkWidth(l->font(), l->text()) - room;
    }
    if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w)) {
        const auto* b = static_cast<const QAbstractButton*>(w);
        return b->text().isEmpty() ? 0 : InkWidth(b->font(), b->text()) - ButtonTextRoom(b);
    }
    if (const auto* b = qobject_cast<const QAbstractButton*>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(b);
        const QRect r = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b);
        if (b->text().isEmpty()) return 0;
        return InkWidth(b->font(), b->text()) - r.width();
    }
    if (const auto* g = qobject_cast<const QGroupBox*>(w))
        return InkWidth(g->font(), g->title()) - (g->width() - 16);
    return 0;
}

void FitCaptions(QWidget* root) {
    // The layout was drawn for a narrower font than the one substituted here: a
    // caption that would be cut is set a little tighter, its size stays as designed.
    const auto fit = [](QWidget* w, const QString& text) {
        const int over = CaptionOverrun(w);
        if (over <= 0 || text.size() < 2) return;
        QFont f = w->font();
        f.setLetterSpacing(QFont::AbsoluteSpacing, -std::ceil(over * 100.0 / (text.size() - 1)) / 100.0);
        w->setFont(f);
    };
    for (QLabel* l : root->findChildren<QLabel*>()) fit(l, l->text());
    for (QAbstractButton* b : root->findChildren<QAbstractButton*>())
        if (qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b)) fit(b, b->text());
}

void ApplyStartupColours(Ui::TForm1* ui) {
    const QColor blue(7, 73, 173);
    // Colours are palette roles throughout: backgrounds are filled by the widget
    // itself, so they hold whatever style draws the frames.
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui->GroupBox1, ui->GroupBox2, ui->GroupBox3, ui->GroupBox4, ui->GroupBox5, ui->GroupBox6,
             ui->GroupBox7, ui->GroupBox8, ui->GroupBox9, ui->GroupBox10, ui->GroupBox11, ui->GroupBox12,
             ui->GroupBox13, ui->GroupBox14, ui->GroupBox15, ui->GroupBox16, ui->GroupBox17, ui->Chart1,
             ui->Label2})
        PaintBackground(w, blue);
    ui->StringGrid1->setItemDelegateForColumn(0, new FixedColumnDelegate(ui->StringGrid1));
    // Qt gives header views a font class of their own, so the heading row would
    // not take the window's font over by itself.
    ui->StringGrid1->horizontalHeader()->setFont(ui->StringGrid1->font());
    FitCaptions(ui->PageControl1);
}
