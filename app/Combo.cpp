#include "app/Combo.h"

#include <QComboBox>
#include <QVariant>

namespace {
const char* const kTyped = "tarnellTyped";
}

void TrackTyping(QComboBox* box) {
    // Qt rewrites the edit text before it reports an index change, so the index
    // signals clear the mark that the text change has just set.
    QObject::connect(box, &QComboBox::editTextChanged, box, [box] { box->setProperty(kTyped, true); });
    QObject::connect(box, &QComboBox::currentIndexChanged, box, [box] { box->setProperty(kTyped, false); });
    QObject::connect(box, &QComboBox::activated, box, [box] { box->setProperty(kTyped, false); });
}

int SelectedItem(const QComboBox* box) {
    const int i = box->currentIndex();
    if (i < 0 || box->property(kTyped).toBool()) return -1;
    return box->currentText() == box->itemText(i) ? i : -1;
}

void SelectItem(QComboBox* box, int i) {
    box->setCurrentIndex(i >= 0 && i < box->count() ? i : -1);
    box->setProperty(kTyped, false);
}

void ShowUnselectedText(QComboBox* box, const char* text) {
    box->setCurrentIndex(-1);
    box->setEditText(QString::fromLatin1(text));
    box->setProperty(kTyped, true);
}
