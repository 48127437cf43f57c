#include <gtest/gtest.h>
#include <poll.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <string>

#include "app/TForm1.h"
#include "app/VclTimer.h"
#include "config/Sentence.h"
#include "support/Pty.h"
#include "support/Window.h"
#include "ui_TForm1.h"

namespace {

using tarnell::CompleteSentence;

const std::string kRmc =
    CompleteSentence("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W");
const std::string kGga = CompleteSentence("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
const std::string kGsa3D = CompleteSentence("$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1");
const std::string kGsaNoFix = CompleteSentence("$GPGSA,A,1,,,,,,,,,,,,,,,");

// The console's text with the CR LF line breaks the receiver sent.
std::string MemoText(TForm1& form) {
    return form.Controls()->Memo1->toPlainText().replace("\n", "\r\n").toLatin1().toStdString();
}

std::string Latin1(const QString& s) {
    return s.toLatin1().toStdString();
}

class ReceptionTest : public ::testing::Test {
protected:
    void TearDown() override { CloseBoxes(); }

    Ui::TForm1* ui() { return form.Controls(); }
    SharedState& S() { return form.State(); }
    QSerialPort* port() { return S().PortHandle.get(); }

    void Open() {
        ui()->ComboBox2->setEditText(QString::fromStdString(pty.Path()));
        ui()->Button1->click();
        ASSERT_TRUE(port());
    }
    void Close() { ui()->Button1->click(); }

    // Writes to the receiver's end and waits until the port holds the bytes (up to one chunk).
    void Feed(const std::string& bytes) {
        const qint64 want =
            std::min<qint64>(port()->bytesAvailable() + static_cast<qint64>(bytes.size()), 1024);
        pty.Write(bytes);
        while (port()->bytesAvailable() < want && port()->waitForReadyRead(3000)) {
        }
        ASSERT_GE(port()->bytesAvailable(), want);
    }
    void MainTick(const std::string& bytes) {
        Feed(bytes);
        form.Timer1->fire();
    }
    // The first tick after opening, on a line that hands reception over to the main pump.
    void HandOver() {
        Feed(kGga);
        form.Timer3->fire();
        ASSERT_FALSE(form.Timer3->enabled());
        ASSERT_TRUE(form.Timer1->enabled());
        ui()->Memo1->clear();
    }

    Pty pty;
    TForm1 form;
};

TEST_F(ReceptionTest, SentencesFillTheStatusPage) {
    Open();
    HandOver();
    // The RMC comes in two ticks; its checksum digits in lower case.
    std::string rmc = kRmc;
    rmc[rmc.size() - 3] = static_cast<char>(std::tolower(rmc[rmc.size() - 3]));
    rmc[rmc.size() - 4] = static_cast<char>(std::tolower(rmc[rmc.size() - 4]));
    MainTick(rmc.substr(0, 20));
    EXPECT_EQ(MemoText(form), "");
    MainTick(rmc.substr(20) + kGga + kGsa3D);
    const std::string indicatorsOnly = CompleteSentence("$GPVTG,084.4,T,,M,022.4,N,041.5,K") +
                                       CompleteSentence("$GPZDA,123519,23,03,1994,00,00") +
                                       CompleteSentence("$GPGLL,4916.45,N,12311.12,W,225444,A");
    const std::string ignored = CompleteSentence("$GNGGA,1,2,N,3,E,1,08,0.9,99.9,M,,,") + "$GPGGA,bad*00\r\n";
    MainTick(indicatorsOnly + ignored);

    EXPECT_EQ(Latin1(ui()->EdLat->text()),
              "N48\xB0"
              "7'2.3");
    EXPECT_EQ(Latin1(ui()->EdLon->text()),
              "E11\xB0"
              "31'0.0");
    EXPECT_EQ(ui()->EdSpeed->text(), "41.4848");
    EXPECT_EQ(ui()->EdTime->text(), "12:35:19");
    EXPECT_EQ(ui()->EdDate->text(), "2094/03/23");
    EXPECT_EQ(ui()->EdHeight->text(), "545.4");
    EXPECT_EQ(ui()->EdMode->text(), "3D");
    EXPECT_EQ(ui()->EdPDOP->text(), "2.50");
    EXPECT_EQ(S().FixDigit, "3");
    for (QCheckBox* box : {ui()->CheckBox1, ui()->CheckBox2, ui()->CheckBox4, ui()->CheckBox5,
                           ui()->CheckBox6, ui()->CheckBox7})
        EXPECT_TRUE(box->isChecked()) << box->objectName().toStdString();
    EXPECT_FALSE(ui()->CheckBox3->isChecked());
    // Every verified line is echoed as received, other talkers included; the bad one is not.
    EXPECT_EQ(MemoText(form),
              rmc + kGga + kGsa3D + indicatorsOnly + ignored.substr(0, ignored.find("$GPGGA,bad")));

    // West of Greenwich the local time moves back over midnight and the date with it.
    MainTick(CompleteSentence("$GPRMC,023519,A,4807.038,N,12311.12,W,0.13,084.4,010394,003.1,W"));
    EXPECT_EQ(Latin1(ui()->EdLon->text()),
              "W123\xB0"
              "11'7.2");
    EXPECT_EQ(ui()->EdTime->text(), "18:35:19");
    EXPECT_EQ(ui()->EdDate->text(), "2094/02/28");
    EXPECT_EQ(ui()->EdSpeed->text(), "0.24076");

    // No fix: every field empty, the zone stays.
    MainTick(CompleteSentence("$GPRMC,,V,,,,,,,,,,N") + CompleteSentence("$GPGGA,,,,,,0,00,,,M,,M,,"));
    EXPECT_EQ(Latin1(ui()->EdLat->text()),
              "00\xB0"
              "0'0.0");
    EXPECT_EQ(ui()->EdSpeed->text(), "0");
    EXPECT_EQ(ui()->EdTime->text(), "16:00:00");
    EXPECT_EQ(ui()->EdDate->text(), "2000/00/0-1");
    EXPECT_EQ(ui()->EdHeight->text(), "0");
    EXPECT_TRUE(form.Timer1->enabled());
    EXPECT_EQ(form.Timer1->interval(), 100);
}

TEST_F(ReceptionTest, OverlongAndAnswerLinesChangeNoStandardDisplay) {
    Open();
    HandOver();
    // 250 characters are dispatched, 251 are not.
    const auto padded = [](std::size_t length) {
        std::string body = "$GPGGA,1,2,N,3,E,1,08,0.9,77.7,M,,M,,";
        body += std::string(length - body.size() - 5, ',');
        return CompleteSentence(body);
    };
    ASSERT_EQ(padded(251).size(), 251u);
    ui()->EdHeight->setText("before");
    MainTick(padded(251));
    EXPECT_EQ(ui()->EdHeight->text(), "before");
    EXPECT_FALSE(ui()->CheckBox1->isChecked());
    MainTick(padded(250));
    EXPECT_EQ(ui()->EdHeight->text(), "77.7");

    MainTick(CompleteSentence("$PMTK999,314,3"));
    EXPECT_EQ(S().SentenceId, "PMTK9");
    EXPECT_EQ(S().AnswerId, "PMTK999");
    EXPECT_EQ(S().AckCommand, "314");
}

TEST_F(ReceptionTest, StartupPumpEchoesEveryLineAndHandsOverEvenWithoutAVerifiedLine) {
    Open();
    // A fragment before the first line feed and a failed "PMTK514" stop the start-up pump
    // without any line for the start-up decoder.
    const std::string chunk = "A,1*00\r\n$PMTK514,0,1*00\r\n$GPG";
    Feed(chunk);
    form.Timer3->fire();
    EXPECT_EQ(MemoText(form), "A,1*00\r\n$PMTK514,0,1*00\r\n");
    EXPECT_FALSE(form.Timer3->enabled());
    EXPECT_TRUE(form.Timer1->enabled());
    EXPECT_EQ(pty.ReadAvailable(), "");  // nothing was decoded, so nothing was asked
    // The line in progress stays; its start is in the start-up copy only, so it fails the main check.
    EXPECT_EQ(S().SentenceLine, "$GPG");
    MainTick(kGga.substr(4) + kRmc);
    EXPECT_EQ(MemoText(form), "A,1*00\r\n$PMTK514,0,1*00\r\n" + kRmc);
    EXPECT_FALSE(ui()->CheckBox1->isChecked());
    EXPECT_TRUE(ui()->CheckBox4->isChecked());
}

TEST_F(ReceptionTest, ConsoleLimitsCountEachLineBreakAsTwo) {
    // A console of `length` characters counted with CR LF: lines of 98 and their break, then the rest.
    const auto fill = [&](int length) {
        QString text;
        for (int i = 0; i + 100 <= length; i += 100) text += QString(98, QLatin1Char('a' + i / 100)) + "\n";
        text += QString(length % 100, QLatin1Char('z'));
        ui()->Memo1->setPlainText(text);
    };
    struct Case {
        bool startup;
        int length;
        bool cleared;
    } ticks[] = {{false, 1000, false}, {false, 1001, true}, {true, 680, false}, {true, 681, true}};
    for (const Case& c : ticks) {
        fill(c.length);
        (c.startup ? form.Timer3 : form.Timer1)->fire();
        EXPECT_EQ(ui()->Memo1->toPlainText().isEmpty(), c.cleared) << c.startup << " " << c.length;
    }
    // At a completed line the first line goes once the console is past the pump's limit.
    const std::string failed = "$GPXXX,1*00\r\n";
    struct LineCase {
        bool startup;
        int length;
        bool dropped;
    } lines[] = {{false, 750, false}, {false, 751, true}, {true, 680, false}, {true, 681, true}};
    for (const LineCase& c : lines) {
        fill(c.length);
        const std::string before = MemoText(form);
        const std::string& line = c.startup ? failed : kRmc;
        const auto* bytes = reinterpret_cast<const uint8_t*>(line.data());
        if (c.startup)
            form.StartupFramer(bytes, static_cast<int32_t>(line.size()));
        else
            form.MainFramer(bytes, static_cast<int32_t>(line.size()));
        EXPECT_EQ(MemoText(form), (c.dropped ? before.substr(100) : before) + line)
            << c.startup << " " << c.length;
    }
}

TEST_F(ReceptionTest, MalformedRmcIsReportedOnceWhileReceptionCarriesOn) {
    Open();
    HandOver();
    MainTick(kRmc);
    const std::string bad = CompleteSentence("$GPRMC,1,A,4916.45,S,12311.12,W,0x2,0,230394,,");
    const std::string alsoBad = CompleteSentence("$GPGSA,A,3,zz,,,,,,,,,,,,1.0,1.0,1.0");
    const std::string after = CompleteSentence("$GPGGA,1,2,N,3,E,1,08,0.9,12.5,M,,M,,");
    MainTick(bad + alsoBad + after + kGsa3D.substr(0, 10));

    const auto boxes = OpenBoxes();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0]->text(), "'0x2' is not a valid floating point value.");
    EXPECT_EQ(boxes[0]->icon(), QMessageBox::Critical);
    EXPECT_EQ(boxes[0]->windowTitle(), "Tarnell v1.1.0");
    // The fields before the bad one are stored; the display keeps the previous sentence.
    EXPECT_DOUBLE_EQ(S().GpsPort.LatitudeNmea, 4916.45);
    EXPECT_EQ(Latin1(ui()->EdLat->text()),
              "N48\xB0"
              "7'2.3");
    EXPECT_EQ(ui()->EdSpeed->text(), "41.4848");
    EXPECT_TRUE(ui()->CheckBox2->isChecked());
    EXPECT_EQ(ui()->EdMode->text(), "");
    // The rest of the chunk was framed and the pump runs on.
    EXPECT_EQ(ui()->EdHeight->text(), "12.5");
    EXPECT_EQ(S().SentenceLine, kGsa3D.substr(0, 10));
    EXPECT_TRUE(form.Timer1->enabled());
    CloseBoxes();
    MainTick(kGsa3D.substr(10));
    EXPECT_EQ(ui()->EdMode->text(), "3D");
    EXPECT_TRUE(OpenBoxes().isEmpty());
}

TEST_F(ReceptionTest, SpeedUsesTheLocaleSeparatorAndNothingElseDoes) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German));
    S().SentenceLine = CompleteSentence("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W");
    form.DispatchSentence();
    S().SentenceLine = kGsa3D;
    form.DispatchSentence();
    QLocale::setDefault(saved);
    EXPECT_EQ(ui()->EdSpeed->text(), "41,4848");
    EXPECT_EQ(Latin1(ui()->EdLat->text()),
              "N48\xB0"
              "7'2.3");
    EXPECT_EQ(ui()->EdPDOP->text(), "2.50");
    EXPECT_TRUE(OpenBoxes().isEmpty());
}

TEST_F(ReceptionTest, ResetStatusClearsThePageAndDropsWhatIsWaiting) {
    Open();
    HandOver();
    MainTick(kRmc + kGga + kGsaNoFix + CompleteSentence("$GPVTG,,T,,M,,N,,K"));
    ui()->CheckBox9->setChecked(true);
    ui()->Edit1->setText("17");
    pty.Write(kGga);
    pollfd p{static_cast<int>(port()->handle()), POLLIN, 0};
    ASSERT_EQ(poll(&p, 1, 3000), 1);

    form.ResetStatus();
    const auto& gps = S().GpsPort;
    EXPECT_EQ(gps.AltitudeText, "0");
    EXPECT_EQ(gps.LatitudeNmea, 0);
    EXPECT_EQ(gps.UtcTimeNmea, 0);
    EXPECT_EQ(gps.UtcDateNmea, 0);
    EXPECT_EQ(gps.FixType, 0);
    EXPECT_EQ(gps.NorthSouth, "N");  // left as it was
    EXPECT_EQ(ui()->Edit1->text(), "0");
    EXPECT_EQ(MemoText(form), "");
    EXPECT_EQ(ui()->EdMode->text(), "");
    EXPECT_EQ(ui()->EdPDOP->text(), "");
    for (QLineEdit* e : {ui()->EdHeight, ui()->EdSpeed, ui()->EdTime, ui()->EdDate})
        EXPECT_EQ(e->text(), "0");
    EXPECT_EQ(Latin1(ui()->EdLat->text()),
              "N48\xB0"
              "7'2.3");
    for (QCheckBox* box : {ui()->CheckBox1, ui()->CheckBox2, ui()->CheckBox3, ui()->CheckBox4,
                           ui()->CheckBox5, ui()->CheckBox6, ui()->CheckBox7})
        EXPECT_FALSE(box->isChecked());
    EXPECT_TRUE(ui()->CheckBox9->isChecked());
    EXPECT_EQ(S().FixDigit, "0");
    // The waiting sentence is gone: the next tick finds nothing.
    form.Timer1->fire();
    EXPECT_EQ(MemoText(form), "");
    EXPECT_FALSE(ui()->CheckBox1->isChecked());

    Close();
    form.ResetStatus();  // no port: nothing to drop
    EXPECT_EQ(ui()->Edit1->text(), "0");
}

TEST_F(ReceptionTest, CounterRunsWhileTheLastGsaHadNoFix) {
    const auto dispatch = [&](const std::string& line) {
        S().SentenceLine = line;
        form.DispatchSentence();
    };
    form.Timer2->fire();
    EXPECT_EQ(ui()->Edit1->text(), "0");  // no GSA yet
    dispatch(kGsaNoFix);
    EXPECT_EQ(ui()->EdMode->text(), "NONE");
    form.Timer2->fire();
    form.Timer2->fire();
    EXPECT_EQ(ui()->Edit1->text(), "2");
    ui()->Edit1->setText("100");
    form.Timer2->fire();
    EXPECT_EQ(ui()->Edit1->text(), "101");
    dispatch(CompleteSentence("$GPGSA,A,2,04,05,,,,,,,,,,,3.0,2.0,1.0"));
    EXPECT_EQ(ui()->EdMode->text(), "2D");
    form.Timer2->fire();
    EXPECT_EQ(ui()->Edit1->text(), "101");

    // Typed text that is no number: reported, left alone, and the count goes on once it is one again.
    dispatch(CompleteSentence("$GPGSA,A,,,,,,,,,,,,,,,,"));
    ui()->Edit1->setText("1O1");
    form.Timer2->fire();
    const auto boxes = OpenBoxes();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0]->text(), "'1O1' is not a valid integer value.");
    EXPECT_EQ(ui()->Edit1->text(), "1O1");
    CloseBoxes();
    ui()->Edit1->setText("7");
    form.Timer2->fire();
    EXPECT_EQ(ui()->Edit1->text(), "8");
}

// Accepts the log dialog from inside its own loop once it shows, in `folder`, with `name`
// typed over the design name unless it is empty.
void AnswerLogDialog(TForm1& form, const QString& folder, const QString& name = {}) {
    auto* poll = new QTimer(&form);
    QObject::connect(poll, &QTimer::timeout, poll, [&form, poll, folder, name] {
        QFileDialog* d = form.SaveDialog1;
        if (!d->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        // The dialog leaves a focused name field alone.
        if (QWidget* focused = d->focusWidget()) focused->clearFocus();
        d->setDirectory(folder);
        if (!name.isEmpty()) d->selectFile(QDir(folder).filePath(name));
        static_cast<QDialog*>(d)->accept();
    });
    poll->start(5);
}

std::string FileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    return f.readAll().toStdString();
}

TEST_F(ReceptionTest, RawLogHoldsEveryByteAcrossAPortReopen) {
    QTemporaryDir dir;
    const QString base = dir.filePath("gps.txt");
    const QString log = base + ".TXT";
    {
        QFile old(log);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old content that must go");
    }
    Open();
    AnswerLogDialog(form, dir.path(), "gps.txt");
    ui()->StartLog->click();
    EXPECT_EQ(S().LogActive, 1);
    EXPECT_EQ(FileBytes(log), "");
    EXPECT_TRUE(ui()->StartLog->isEnabled());  // the buttons follow with the next chunk

    std::string written;
    const auto send = [&](const std::string& bytes, VclTimer* timer) {
        Feed(bytes);
        written += bytes;
        timer->fire();
        EXPECT_EQ(FileBytes(log), written);  // on disk when the tick ends
    };
    send(std::string("\xFF\x00junk before the first line\r\n", 30) + kGga + "$GPRMC,half", form.Timer3);
    EXPECT_FALSE(ui()->StartLog->isEnabled());
    EXPECT_TRUE(ui()->StopLog->isEnabled());
    send(",sentence*00\r\n" + CompleteSentence("$GPRMC,1,A,1,N,1,E,x,1,1,,") + kGsa3D, form.Timer1);
    CloseBoxes();
    // 1500 queued bytes: one chunk of 1024 now, the rest at the next tick.
    const std::string bulk(1500, 'b');
    pty.Write(bulk);
    while (port()->bytesAvailable() < 1024 && port()->waitForReadyRead(3000)) {
    }
    form.Timer1->fire();
    EXPECT_EQ(FileBytes(log), written + bulk.substr(0, 1024));
    ASSERT_TRUE(WaitFor([&] {
        form.Timer1->fire();
        return FileBytes(log) == written + bulk;
    }));
    written += bulk;

    Close();
    EXPECT_EQ(S().LogActive, 1);
    Open();
    send("after reopen\r\n" + kRmc, form.Timer3);
    ui()->StopLog->click();
    EXPECT_EQ(S().LogActive, 0);
    EXPECT_FALSE(S().LogHandle);
    MainTick(kGga);
    EXPECT_EQ(FileBytes(log), written);
    EXPECT_TRUE(ui()->StartLog->isEnabled());
    EXPECT_FALSE(ui()->StopLog->isEnabled());
}

TEST_F(ReceptionTest, StartLogNamesFailuresAndRestarts) {
    QTemporaryDir dir;
    Open();
    // The design name, with the suffix added whatever the name ends in.
    AnswerLogDialog(form, dir.path());
    ui()->StartLog->click();
    ASSERT_EQ(S().LogActive, 1);
    EXPECT_EQ(S().LogHandle->fileName(), dir.filePath("mytest.TXT"));

    // A second start before any data closes the first file; the new one gets what follows.
    AnswerLogDialog(form, dir.path(), "second.txt");
    ui()->StartLog->click();
    ASSERT_EQ(S().LogActive, 1);
    EXPECT_EQ(S().LogHandle->fileName(), dir.filePath("second.txt.TXT"));
    Feed(kGga);
    form.Timer3->fire();
    EXPECT_EQ(FileBytes(dir.filePath("mytest.TXT")), "");
    EXPECT_EQ(FileBytes(dir.filePath("second.txt.TXT")), kGga);

    // A file that cannot be created leaves logging off.
    ui()->StopLog->click();
    MainTick(kRmc);
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.TXT"));
    AnswerLogDialog(form, dir.path(), "taken");
    const auto box = TakeBox([&] { ui()->StartLog->click(); });
    EXPECT_EQ(box.first, "Open Error");
    EXPECT_EQ(box.second, "Open Error");
    EXPECT_EQ(S().LogActive, 0);
    EXPECT_FALSE(S().LogHandle);
    MainTick(kGsa3D);
    EXPECT_TRUE(ui()->StartLog->isEnabled());
    EXPECT_FALSE(ui()->StopLog->isEnabled());
    EXPECT_EQ(FileBytes(dir.filePath("second.txt.TXT")), kGga);

    // Cancelling changes nothing.
    auto* cancel = new QTimer(&form);
    QObject::connect(cancel, &QTimer::timeout, cancel, [&] {
        if (form.SaveDialog1->isVisible()) static_cast<QDialog*>(form.SaveDialog1)->reject();
    });
    cancel->start(5);
    ui()->StartLog->click();
    delete cancel;
    EXPECT_EQ(S().LogActive, 0);
}

}  // namespace
