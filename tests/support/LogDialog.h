#pragma once
#include <QFileDialog>
#include <QTimer>

#include "app/TForm1.h"

// Starts the raw log the way the Start button does, its save dialog answered
// with `path` as soon as it shows (the log file is `path` followed by ".TXT").
inline void StartLogInto(TForm1& form, const QString& path) {
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&form, &poll, path] {
        QFileDialog* d = form.SaveDialog1;
        if (!d->isVisible()) return;
        poll.stop();
        if (QWidget* focused = d->focusWidget()) focused->clearFocus();  // a focused name field is left alone
        d->selectFile(path);
        static_cast<QDialog*>(d)->accept();
    });
    poll.start(5);
    form.StartLogClick();
}
