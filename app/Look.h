#pragma once
namespace Ui {
class TForm1;
}

// Maps the window definition's font names onto fonts that the system ships.
void InstallFontSubstitutions();
// The colouring that FormCreate applies: the dark blue group boxes, chart and label.
void ApplyStartupColours(Ui::TForm1* ui);
