#pragma once
#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QWidget>
#include <functional>

// Runs the event loop until `done` holds or the deadline passes; true when it held.
inline bool WaitFor(const std::function<bool()>& done, int ms = 5000) {
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// The message boxes open right now.
inline QList<QMessageBox*> OpenBoxes() {
    QList<QMessageBox*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) out.push_back(box);
    return out;
}

// Closes every open box (a box shown by a handler that waits on it lets the handler go on).
inline void CloseBoxes() {
    for (QMessageBox* box : OpenBoxes()) box->close();
    QCoreApplication::processEvents();
}

// Runs `action`, which shows a waited-on box, closes the first box that appears and
// returns its (text, caption); empty strings when no box appeared.
std::pair<QString, QString> TakeBox(const std::function<void()>& action, int ms = 3000);
