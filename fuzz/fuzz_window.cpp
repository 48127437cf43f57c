// Any bytes through the window's receive path: the real TForm1 on the offscreen
// platform gets them in chunks of up to 1024 bytes as a main tick would read
// them (framer, console, dispatch, every display) and then the log step. No
// event loop runs between the chunks, so the timers stay out of the way. The
// window is not shown, which keeps whole-window repaints out of every nested
// event loop; the signal chart is painted once per input instead.
//
// An acknowledgement's message box waits in a nested event loop: a zero timer
// closes every box as soon as it shows, so that box returns at once and
// acknowledgements are fuzzed too. The error display's box does not wait; what
// is left of it is removed after each input, so the display is free again.
#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>
#include <cstdlib>
#include <cstring>

#include "Chunks.h"
#include "app/TForm1.h"
#include "link/Framer.h"
#include "ui_TForm1.h"
#include "views/TChart.h"

namespace {

class BoxCloser : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* box = qobject_cast<QMessageBox*>(watched))
                QTimer::singleShot(0, box, [box] { box->close(); });
        return false;
    }
};

TForm1* form = nullptr;

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int qtArgc = 1;
    static char* qtArgv[] = {(*argv)[0], nullptr};
    (void)argc;
    auto* app = new QApplication(qtArgc, qtArgv);
    app->installEventFilter(new BoxCloser);
    form = new TForm1;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    SharedState& s = form->State();
    // Each input starts at a line start with an empty console; the rest of the window carries on.
    s.SentenceLine.clear();
    s.LineBytes.Count = 0;
    form->Controls()->Memo1->clear();

    ForEachChunk(data, size, [&](const uint8_t* chunk, int32_t count) {
        form->MainFramer(chunk, count);
        form->LogStep(chunk, count);
        Check(s.SentenceLine.size() <= tarnell::kLineGuard);
        Check(s.SentenceLine.size() == static_cast<std::size_t>(s.LineBytes.Count));
        Check(std::memcmp(s.SentenceLine.data(), s.LineBytes.Bytes.data(), s.SentenceLine.size()) == 0);
    });
    (void)form->Controls()->Chart1->grab();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMessageBox*>(w)) delete w;
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
