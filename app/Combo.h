#pragma once
class QComboBox;

// A combo box has a selected item only while it shows that item's text and the
// item was picked or set as such; typed text leaves no item selected. The window
// reads and sets selections through these three functions only.
void TrackTyping(QComboBox* box);
int SelectedItem(const QComboBox* box);
// Selects item i, or no item when i is outside the list (the box then shows nothing).
void SelectItem(QComboBox* box, int i);
// No item selected, the given text shown, as if typed.
void ShowUnselectedText(QComboBox* box, const char* text);
