// Shows the real main window, grabs each of its pages into a PNG and lists the
// captions that do not fit their controls with the fonts this system renders.
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTabWidget>
#include <QTextStream>
#include <QWindow>
#include <cstdio>

#include "app/Look.h"
#include "app/TForm1.h"
#include "ui_TForm1.h"

namespace {

// Covered controls are judged too: they come into view when the covering group is hidden.
int ReportClipped(const QWidget* root) {
    int clipped = 0;
    QTextStream err(stderr);
    for (const QWidget* w : root->findChildren<QWidget*>()) {
        if (w->inherits("QTabBar") || w->window() != root->window()) continue;
        if (const int over = CaptionOverrun(w); over > 0) {
            err << "clipped: " << w->objectName() << " by " << over << " px\n";
            ++clipped;
        }
    }
    return clipped;
}

bool WaitForExposed(QWidget* w) {
    QDeadlineTimer deadline(5000);
    while (!(w->windowHandle() && w->windowHandle()->isExposed())) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(dir);

    TForm1 form;
    form.show();
    if (!WaitForExposed(&form)) std::fprintf(stderr, "tarnell-shot: the window was never shown\n");

    // With a device, the pages are taken after a few seconds of live reception from it.
    if (argc > 2) {
        form.Controls()->ComboBox2->setEditText(QString::fromLocal8Bit(argv[2]));
        form.Controls()->Button1->click();
        QDeadlineTimer live(8000);
        while (!live.hasExpired()) QApplication::processEvents(QEventLoop::AllEvents, 50);
    }

    const char* const names[] = {"status.png", "setup.png", "channel.png"};
    QTabWidget* pages = form.Controls()->PageControl1;
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        QApplication::processEvents();
        const QString file = QDir(dir).filePath(QString::fromLatin1(names[i]));
        if (!form.grab().save(file)) {
            std::fprintf(stderr, "tarnell-shot: cannot write %s\n", qPrintable(file));
            return 1;
        }
        std::printf("%s\n", qPrintable(file));
    }
    pages->setCurrentIndex(0);
    return ReportClipped(&form) == 0 ? 0 : 2;
}
