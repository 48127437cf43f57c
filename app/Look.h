#pragma once
class QColor;
class QWidget;
namespace Ui {
class TForm1;
}

// Maps the window definition's font names onto fonts that the system ships.
void InstallFontSubstitutions();
// The look that FormCreate applies: the dark blue group boxes, chart and label,
// the grey channel number column, captions fitted to their controls.
void ApplyStartupColours(Ui::TForm1* ui);
// A control's own colour, filled by the control whatever the style.
void PaintBackground(QWidget* w, const QColor& colour);
// A control's font colour (labels, check box and radio button captions, group box titles).
void SetTextColour(QWidget* w, const QColor& colour);
// Pixels by which a caption's visible text overruns the room it has (<= 0: it fits).
int CaptionOverrun(const QWidget* w);
// Tightens the letter spacing of every label, check box and radio button caption under root that would be
// cut.
void FitCaptions(QWidget* root);
