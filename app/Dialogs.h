#pragma once
#include <QPointer>
#include <QString>

class QMessageBox;

// The program's own message box: no owner, no icon, one OK button. It returns
// when the user has closed it; meanwhile the main window stays usable and the
// timers keep ticking (a non-modal box waited on by a local event loop).
void ShowMessageBox(const QString& text, const QString& caption);

// The display of errors that escape a handler or timer tick. One box at a time:
// while it is open further errors are dropped, so an error raised on every tick
// cannot pile up boxes. It does not wait for the user.
class ErrorDisplay {
public:
    void Report(const QString& message);
    bool Showing() const { return !box_.isNull(); }

private:
    QPointer<QMessageBox> box_;
};

extern const char* const kAppTitle;
