// Faults of real serial links and bad input, on real pseudo-terminals with the real window.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "app/Combo.h"
#include "app/TForm1.h"
#include "app/VclTimer.h"
#include "config/Sentence.h"
#include "support/LogDialog.h"
#include "support/Pty.h"
#include "support/Window.h"
#include "ui_TForm1.h"

namespace {

using tarnell::CompleteSentence;

std::string Gga(const std::string& altitude) {
    return CompleteSentence("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9," + altitude + ",M,46.9,M,,");
}

std::string FileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    return f.readAll().toStdString();
}

// A window and the receiver's end of its port; the test plays the receiver.
struct Rig {
    std::unique_ptr<Pty> pty = std::make_unique<Pty>();
    TForm1 form;
    Ui::TForm1* ui = form.Controls();

    ~Rig() { CloseBoxes(); }

    QSerialPort* Port() { return form.State().PortHandle.get(); }
    std::string Height() { return ui->EdHeight->text().toStdString(); }

    void Open(const Pty& device) {
        ui->ComboBox2->setEditText(QString::fromStdString(device.Path()));
        ui->Button1->click();
        ASSERT_TRUE(Port());
    }
    // Writes to the receiver's end and waits until the port holds the bytes (up to one chunk).
    void Feed(Pty& device, const std::string& bytes) {
        const qint64 want =
            std::min<qint64>(Port()->bytesAvailable() + static_cast<qint64>(bytes.size()), 1024);
        device.Write(bytes);
        while (Port()->bytesAvailable() < want && Port()->waitForReadyRead(3000)) {
        }
    }
    // Opens the port and hands reception over to the main pump.
    void Start() {
        Open(*pty);
        Feed(*pty, Gga("1.0"));
        form.Timer3->fire();
        ASSERT_TRUE(form.Timer1->enabled());
        ui->Memo1->clear();
    }
    // Any amount of bytes through the main pump, a piece at a time as a running receiver delivers them.
    void Stream(const std::string& bytes) {
        for (std::size_t at = 0; at < bytes.size(); at += 1024) {
            Feed(*pty, bytes.substr(at, 1024));
            form.Timer1->fire();
        }
        while (Port()->bytesAvailable() > 0) form.Timer1->fire();
    }
};

// Counts what the event loop delivers: a loop spinning on a dead device shows as thousands of events.
struct EventCount : QObject {
    long events = 0;
    EventCount() { qApp->installEventFilter(this); }
    ~EventCount() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent*) override {
        ++events;
        return false;
    }
};

// Closes every message box as soon as it shows, the error display's and waited-on ones alike.
struct BoxCloser : QObject {
    int errors = 0, others = 0;
    BoxCloser() { qApp->installEventFilter(this); }
    ~BoxCloser() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* box = qobject_cast<QMessageBox*>(watched)) {
                ++(box->icon() == QMessageBox::Critical ? errors : others);
                QTimer::singleShot(0, box, [box] { box->close(); });
            }
        return false;
    }
};

TEST(Faults, DeviceGoesAwayMidStream) {
    Rig rig;
    rig.Start();
    rig.Feed(*rig.pty, Gga("10.0") + "$GPGGA,123519,48");
    rig.form.Timer1->fire();
    ASSERT_EQ(rig.Height(), "10.0");
    rig.pty->CloseMaster();

    // The timers run on against the dead device: a few main ticks' worth of events, at most one error.
    int ticks = 0;
    QObject::connect(rig.form.Timer1, &VclTimer::OnTimer, [&] { ++ticks; });
    {
        BoxCloser boxes;
        ASSERT_TRUE(WaitFor([&] { return ticks >= 1; }, 5000)) << "the main pump stopped ticking";
        EventCount count;  // from here on: the window's first events of all are behind it
        ASSERT_TRUE(WaitFor([&] { return ticks >= 6; }, 5000)) << "the main pump stopped ticking";
        EXPECT_LT(count.events, 100 * 5) << count.events << " events in 5 ticks";
        EXPECT_LE(boxes.errors, 1);
        EXPECT_EQ(boxes.others, 0);
    }

    rig.ui->Button1->click();
    EXPECT_EQ(rig.ui->Button1->text(), "On");
    EXPECT_FALSE(rig.Port());
    EXPECT_FALSE(rig.form.Timer1->enabled());
    EXPECT_FALSE(rig.form.Timer3->enabled());
    EXPECT_TRUE(OpenBoxes().isEmpty());

    // A new device works as the first did (the half line the first left behind spoils one line at most).
    Pty second;
    rig.Open(second);
    rig.Feed(second, Gga("20.0") + Gga("30.0"));
    rig.form.Timer3->fire();
    rig.Feed(second, Gga("40.0") + Gga("50.0"));
    rig.form.Timer1->fire();
    EXPECT_EQ(rig.Height(), "50.0");
    EXPECT_NE(second.ReadAvailable().find("$PMTK414*33\r\n"), std::string::npos);  // the start-up read-back
    EXPECT_TRUE(OpenBoxes().isEmpty());
}

// Runs the real timers for `ticks` ticks of the link load meter (100 ms each).
void RunTimers(TForm1& form, int ticks) {
    int seen = 0;
    const auto c = QObject::connect(form.Timer5, &VclTimer::OnTimer, [&] { ++seen; });
    WaitFor([&] { return seen >= ticks; });
    QObject::disconnect(c);
}

// Each case acts while an acknowledgement's box holds a main tick in its nested event loop.
TEST(Faults, ReentryDuringAnAcknowledgementBox) {
    const std::string ack = CompleteSentence("$PMTK001,314,3");
    const std::string chunk = ack + Gga("111.0");
    const std::string later = Gga("222.0") + Gga("333.0");  // from the other device, while the box is open
    struct Case {
        const char* name;
        std::function<void(Rig&, Pty& other)> during;
        bool reopened;
    } cases[] = {
        {"OFF", [](Rig& r, Pty&) { r.ui->Button1->click(); }, false},
        {"OFF, then On with another device",
         [&](Rig& r, Pty& other) {
             r.ui->Button1->click();
             r.Open(other);
             other.Write(later);
             RunTimers(r.form, 5);  // the new port's start-up pump would have ticked by now
         },
         true},
        {"another Set, then OFF before its repeated query is due",
         [](Rig& r, Pty&) {
             SelectItem(r.ui->cbDatum, 5);
             r.ui->btDatumSet->click();
             EXPECT_EQ(r.pty->ReadAvailable(), CompleteSentence("$PMTK330,5") + "$PMTK430*35\r\n");
             r.ui->Button1->click();
         },
         false},
        {"closing the window", [](Rig& r, Pty&) { r.form.close(); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        Rig rig;
        Pty other;
        StartLogInto(rig.form, dir.filePath("log"));
        rig.Start();
        rig.pty->ReadAvailable();  // the start-up queries
        rig.Feed(*rig.pty, chunk);

        bool shown = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (shown || OpenBoxes().isEmpty()) return;
            shown = true;
            c.during(rig, other);
            CloseBoxes();
        });
        poll.start(5);
        rig.form.Timer1->fire();
        poll.stop();
        ASSERT_TRUE(shown);

        // The rest of the chunk had arrived before anything the box let in, and was taken first.
        EXPECT_EQ(rig.Height(), "111.0");
        EXPECT_EQ(rig.Port() != nullptr, c.reopened);
        EXPECT_FALSE(rig.form.Timer1->enabled() && rig.form.Timer3->enabled());
        if (c.reopened) {
            // The other device's lines waited; now they go the usual way, start-up pump first.
            EXPECT_TRUE(rig.form.Timer3->enabled());
            rig.form.Timer3->fire();
            ASSERT_TRUE(rig.form.Timer1->enabled());
            rig.Feed(other, Gga("444.0"));
            rig.form.Timer1->fire();
            EXPECT_EQ(rig.Height(), "444.0");
        } else {
            EXPECT_FALSE(rig.form.Timer1->enabled() || rig.form.Timer3->enabled());
        }
        // Nothing reaches the first device once it is closed, a repeated query included.
        RunTimers(rig.form, 8);
        EXPECT_EQ(rig.pty->ReadAvailable(), "");

        // The log holds every byte in the order it arrived.
        rig.form.StopLogClick();
        EXPECT_EQ(FileBytes(dir.filePath("log.TXT")),
                  Gga("1.0") + chunk + (c.reopened ? later + Gga("444.0") : ""));
    }
}

TEST(Faults, BadInputNeverStopsReception) {
    std::string noise(1 << 20, '\0');
    uint64_t x = 0x9E3779B97F4A7C15ull;
    for (char& b : noise) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        b = static_cast<char>(x >> 32);
    }
    using namespace std::string_literals;
    const struct {
        const char* name;
        std::string bytes;
        const char* heightAfter;  // null: not foreseeable
    } cases[] = {
        {"1 MB of noise", noise, nullptr},
        // Bytes under the checksum are sentence bytes like any other; bytes after it break it.
        {"NUL and 0xFF inside sentences",
         CompleteSentence("$GPGGA,12\0\xFF"s
                          "19,4807.038,N,01131.000,E,1,08,0.9,9.5,M,,M,,") +
             CompleteSentence("$GPRMC\0\xFF,1,A"s) + Gga("8.5").insert(20, "\xFF\0"s),
         "9.5"},
        {"a line of 10,000 bytes without a line feed", std::string(10000, 'A'), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BoxCloser boxes;
        Rig rig;
        rig.Start();
        rig.Stream(c.bytes);
        if (c.heightAfter) {
            EXPECT_EQ(rig.Height(), c.heightAfter);
        }
        EXPECT_LE(rig.form.State().SentenceLine.size(), 400u);
        EXPECT_LE(rig.ui->Memo1->toPlainText().size(), 2048);
        EXPECT_LE(boxes.errors, 1);
        rig.Stream("\r\n" + Gga("77.7"));
        EXPECT_EQ(rig.Height(), "77.7");
        EXPECT_TRUE(rig.form.Timer1->enabled());
    }
}

// Every answer and acknowledgement of the receiver, cut short at every position (each cut with a
// checksum of its own, so that it is decoded): no error, no stuck pump, controls in their ranges.
TEST(Faults, AnswersCutShortAtEveryPosition) {
    const char* const answers[] = {
        "$PMTK514,1,1,1,1,1,1,0,0,0,0,0,0,0,0,0,0,0,1,1",
        "$PMTK501,2",
        "$PMTK702,1,0,9600",
        "$PMTK530,123",
        "$PMTK519,1",
        "$PMTK500,1000,0,0,0,0",
        "$PMTK590,3,1,115200,1,1,1,1,1,1,1,1,2,0,4800",
        "$PMTK705,TarnellSim_1.0,0001",
        "$PMTK704,EMULATED,32CH",
        "$PMTK001,301,3",
        "$PMTK001,160,3",
        "$PMTKCHN,01452,02332,03412,04000,05301,06312,07322,08332,09342,10352,11362,12372,13382,14392,"
        "15402,16412,17422,18432,19442,20452,21462,22472,23482,24492,25502,26512,27522,28532,29542,30552,"
        "31562,32572",
    };
    BoxCloser boxes;
    Rig rig;
    rig.Start();
    std::string all;
    for (const std::string a : answers)
        for (std::size_t cut = 1; cut <= a.size(); ++cut) all += CompleteSentence(a.substr(0, cut));
    rig.Stream(all + Gga("55.5"));
    EXPECT_EQ(boxes.errors, 0);
    EXPECT_GT(boxes.others, 0);  // the acknowledgements' boxes came and went
    EXPECT_EQ(rig.Height(), "55.5");
    EXPECT_TRUE(rig.form.Timer1->enabled());
    for (QComboBox* box : rig.form.findChildren<QComboBox*>()) {
        EXPECT_GE(SelectedItem(box), -1) << box->objectName().toStdString();
        EXPECT_LT(SelectedItem(box), box->count()) << box->objectName().toStdString();
    }
}

// The console takes a line every few milliseconds for as long as the program runs: nothing of the
// lines it has dropped may stay behind (an undo history would grow by two steps a line).
TEST(Faults, ConsoleKeepsNothingOfTheLinesItDropped) {
    Rig rig;
    rig.Start();
    std::string lines;
    for (int i = 0; i < 500; ++i) lines += Gga(std::to_string(i) + ".5");
    rig.Stream(lines);
    EXPECT_EQ(rig.Height(), "499.5");
    const QTextDocument* console = rig.ui->Memo1->document();
    EXPECT_LE(console->blockCount(), 20);
    EXPECT_EQ(console->availableUndoSteps(), 0);
}

// The raw log's disk fills while logging: reception goes on, what was written stays intact.
TEST(Faults, LogThatCannotBeWrittenKeepsReceptionGoing) {
    const std::string data = Gga("1.5") + std::string(3000, 'x') + "\r\n" + Gga("2.5") +
                             std::string(3000, 'y') + "\r\n" + Gga("3.5");
    struct Case {
        const char* name;
        std::function<void(const QString& log)> prepare;
        std::size_t room;  // bytes the disk takes
    } cases[] = {
        {"the disk fills after 4096 bytes", [](const QString&) {}, 4096},
        {"the log lands on a full device", [](const QString& log) { QFile::link("/dev/full", log); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString log = dir.filePath("gps.TXT");
        c.prepare(log);
        BoxCloser boxes;
        Rig rig;
        rig.Start();
        StartLogInto(rig.form, dir.filePath("gps"));
        ASSERT_EQ(rig.form.State().LogActive, 1);

        // A file size limit stands in for a full disk (its signal ignored, so writes just fail).
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
        if (c.room > 0) {
            rlimit full = saved;
            full.rlim_cur = c.room;
            setrlimit(RLIMIT_FSIZE, &full);
        }
        rig.Stream(data);
        const std::string atTheFault = c.room > 0 ? FileBytes(log) : "";  // /dev/full reads as endless zeros
        setrlimit(RLIMIT_FSIZE, &saved);
        signal(SIGXFSZ, oldHandler);

        EXPECT_EQ(rig.Height(), "3.5");
        EXPECT_TRUE(rig.form.Timer1->enabled());
        EXPECT_EQ(boxes.errors + boxes.others, 0);
        if (c.room > 0) {
            EXPECT_EQ(atTheFault, data.substr(0, c.room));
            // Once there is room again, what the log still holds follows on in order.
            rig.form.StopLogClick();
            const std::string final = FileBytes(log);
            EXPECT_EQ(final, data.substr(0, final.size()));
            EXPECT_GE(final.size(), c.room);
        }
    }
}

}  // namespace
