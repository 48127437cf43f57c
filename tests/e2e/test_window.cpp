// The real window against the receiver emulator on a pseudo-terminal, through the real timers.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>

#include "app/Combo.h"
#include "app/TForm1.h"
#include "app/VclTimer.h"
#include "config/Sentence.h"
#include "e2e/Child.h"
#include "support/Window.h"
#include "tools/tarnell-sim/Transcript.h"
#include "ui_TForm1.h"

using tarnell::CompleteSentence;

namespace {

const std::vector<std::string> kStartupQueries = {"$PMTK414*33\r\n", "$PMTK401*37\r\n", "$PMTK602*36\r\n",
                                                  "$PMTK430*35\r\n", "$PMTK490*3F\r\n", "$PMTK400*36\r\n",
                                                  "$PMTK419*3E\r\n"};

std::string ReadFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll().toStdString();
}

// The line passes an NMEA checksum check: the digits after its "*" match.
bool PassesChecksum(const std::string& line) {
    const auto star = line.find('*');
    if (star == std::string::npos || line.size() < star + 3) return false;
    const std::string sum = tarnell::ChecksumText(line.data(), star);
    return std::toupper(static_cast<unsigned char>(line[star + 1])) == sum[0] &&
           std::toupper(static_cast<unsigned char>(line[star + 2])) == sum[1];
}

class EndToEnd : public ::testing::Test {
protected:
    void TearDown() override {
        CloseBoxes();
        sim_.reset();
    }

    // Starts the emulator with a transcript and a record of its output; the device's path.
    void StartSim(std::vector<std::string> options = {}) {
        ASSERT_TRUE(dir_.isValid());
        std::vector<std::string> argv = {TARNELL_SIM_PATH, "--transcript", Path("transcript"), "--record",
                                         Path("record")};
        argv.insert(argv.end(), options.begin(), options.end());
        sim_ = std::make_unique<Child>(argv);
        const auto device = sim_->ReadLine(5000);
        ASSERT_TRUE(device) << "the emulator printed no device";
        device_ = *device;
    }

    std::string Path(const char* name) const {
        return dir_.filePath(QString::fromLatin1(name)).toStdString();
    }

    // What the window has sent so far, a sentence per element.
    std::vector<std::string> Received() const {
        return tarnell::sim::ReadTranscript(ReadFile(QString::fromStdString(Path("transcript"))));
    }

    std::string LastReceived() const {
        const std::vector<std::string> sent = Received();
        return sent.empty() ? std::string() : sent.back();
    }

    // Types the device into the port box, picks the speed item (-1: none, 115200) and clicks "On".
    void Open(int speedItem = -1) {
        auto* ui = form_.Controls();
        ui->ComboBox2->setEditText(QString::fromStdString(device_));
        SelectItem(ui->ComboBox1, speedItem);
        ui->Button1->click();
        ASSERT_EQ(ui->Button1->text(), "OFF");
    }

    bool Receiving() { return form_.Controls()->EdMode->text() == "3D"; }

    TForm1 form_;
    QTemporaryDir dir_;
    std::unique_ptr<Child> sim_;
    std::string device_;
};

TEST_F(EndToEnd, OpeningReadsTheReceiversSettingsIntoTheSetupPage) {
    StartSim({"--fix-interval", "500"});
    auto* ui = form_.Controls();
    Open();
    ASSERT_TRUE(WaitFor(
        [&] {
            return SelectedItem(ui->cbFix) == 1 && ui->lbTimes->text() == "3" &&
                   SelectedItem(ui->cbDatum) == 0 && ui->rbWAAS->isChecked() &&
                   ui->rbIntegrity->isChecked() && SelectedItem(ui->cbBA) == 6;
        },
        10000))
        << "cbFix " << SelectedItem(ui->cbFix) << ", lbTimes '" << ui->lbTimes->text().toStdString() << "'";
    for (QComboBox* rate :
         {ui->cbGLL, ui->cbRMC, ui->cbVTG, ui->cbGGA, ui->cbGSA, ui->cbGSV, ui->cbZDA, ui->cbMCHN})
        EXPECT_EQ(SelectedItem(rate), 1) << rate->objectName().toStdString();
    EXPECT_EQ(SelectedItem(ui->cbRTCMBD), 0);
    EXPECT_TRUE(ui->CheckBox9->isChecked());

    // The start-up queries, in their order, once for each verified sentence of the first chunk.
    const std::vector<std::string> sent = Received();
    ASSERT_GE(sent.size(), kStartupQueries.size());
    EXPECT_EQ(sent.size() % kStartupQueries.size(), 0u);
    for (std::size_t i = 0; i < sent.size(); ++i) EXPECT_EQ(sent[i], kStartupQueries[i % 7]) << i;
    EXPECT_TRUE(form_.Timer1->enabled());
}

TEST_F(EndToEnd, EverySetIsAcknowledgedAndReadBackTwice) {
    StartSim();
    auto* ui = form_.Controls();
    Open();
    ASSERT_TRUE(WaitFor([&] { return ui->lbTimes->text() == "3" && SelectedItem(ui->cbGLL) == 1; }, 10000));
    ASSERT_TRUE(
        WaitFor([&] { return !Received().empty() && Received().size() % kStartupQueries.size() == 0; }));

    struct Case {
        const char* name;
        std::function<void()> prepare;  // the user's choice before the click
        QPushButton* button;
        std::function<void()> disturb;  // the user changes the group again right after the click
        std::string command, query;
        const char *text, *caption;
        std::function<bool()> readBack;  // the page shows what the receiver reports
    } cases[] = {
        {"Confirm",
         [&] {
             SelectItem(ui->cbGLL, 0);
             SelectItem(ui->cbGSV, 2);
             SelectItem(ui->cbZDA, 0);
         },
         ui->btConfirm, [&] { SelectItem(ui->cbGSV, 4); },
         CompleteSentence("$PMTK314,0,1,1,1,1,2,0,0,0,0,0,0,0,0,0,0,0,0,1"), "$PMTK414*33\r\n", "Success!",
         "Send ok",
         [&] {
             return SelectedItem(ui->cbGSV) == 2 && !ui->CheckBox5->isChecked() &&
                    !ui->CheckBox7->isChecked();
         }},
        {"Default", [] {}, ui->btDefault, [&] { SelectItem(ui->cbGLL, 3); }, "$PMTK314,-1*04\r\n",
         "$PMTK414*33\r\n", "Success!", "Send ok",
         [&] {
             return SelectedItem(ui->cbGLL) == 1 && SelectedItem(ui->cbGSV) == 1 &&
                    ui->CheckBox5->isChecked();
         }},
        {"DGPS", [&] { ui->rbDisable->setChecked(true); }, ui->btDGPSSet, [] {}, "$PMTK301,0*2C\r\n",
         "$PMTK401*37\r\n", "DGPS Disabled!", "Send ok", [&] { return ui->rbDisable->isChecked(); }},
        {"Datum", [&] { SelectItem(ui->cbDatum, 220); }, ui->btDatumSet, [&] { SelectItem(ui->cbDatum, 5); },
         CompleteSentence("$PMTK330,220"), "$PMTK430*35\r\n", "Changed Successfully!", "Send ok",
         [&] { return SelectedItem(ui->cbDatum) == 220; }},
        {"SBAS", [&] { ui->rbTest->setChecked(true); }, ui->btSBASSet,
         [&] { ui->rbIntegrity->setChecked(true); }, CompleteSentence("$PMTK319,0"), "$PMTK419*3E\r\n",
         "Changed Successfully!", "Send ok", [&] { return ui->rbTest->isChecked(); }},
        {"Flash", [] {}, ui->btAllSet, [] {},
         CompleteSentence("$PMTK390,0,1,115200,1,1,1,1,1,1,1,1,0,220,4800"), "$PMTK490*3F\r\n",
         "Set Successful!", "Send ok", [&] { return ui->lbTimes->text() == "2"; }},
        {"Fix", [&] { SelectItem(ui->cbFix, 4); }, ui->btFixSet, [] {},
         CompleteSentence("$PMTK300,200,0,0,0,0"), "", "Changed Successfully!", "Send ok",
         [] { return true; }},
        {"Baudrate", [&] { SelectItem(ui->cbBA, 1); }, ui->btBAUSet, [] {}, "$PMTK251,9600*17\r\n", "",
         "Changed Successfully!", "Send ok", [] { return true; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t before = Received().size();
        c.prepare();
        const auto box = TakeBox(
            [&] {
                c.button->click();
                c.disturb();
            },
            5000);
        EXPECT_EQ(box.first.toStdString(), c.text);
        EXPECT_EQ(box.second.toStdString(), c.caption);

        // On the wire: the command, then its query at once and again half a second later; nothing else.
        std::vector<std::string> expected = {c.command};
        if (!c.query.empty()) expected.insert(expected.end(), 2, c.query);
        EXPECT_TRUE(WaitFor([&] { return Received().size() >= before + expected.size(); }));
        const std::vector<std::string> sent = Received();
        EXPECT_EQ(std::vector<std::string>(sent.begin() + static_cast<long>(std::min(before, sent.size())),
                                           sent.end()),
                  expected);
        EXPECT_TRUE(WaitFor(c.readBack));
    }

    // The receiver now talks at 9600: reopened at that speed the window reads it again.
    ui->Button1->click();
    const std::size_t before = Received().size();
    Open(1);
    ASSERT_TRUE(WaitFor([&] { return Received().size() >= before + kStartupQueries.size(); }, 10000));
    const std::vector<std::string> sent = Received();
    EXPECT_EQ(std::vector<std::string>(sent.begin() + static_cast<long>(before),
                                       sent.begin() + static_cast<long>(before + kStartupQueries.size())),
              kStartupQueries);
}

TEST_F(EndToEnd, RefusedCommandsShowTheirFailureBox) {
    StartSim({"--fail", "330,390"});
    auto* ui = form_.Controls();
    Open();
    ASSERT_TRUE(WaitFor([&] { return ui->lbTimes->text() == "3"; }, 10000));
    struct Case {
        QPushButton* button;
        const char* text;
    } cases[] = {{ui->btDatumSet, "Failed!"}, {ui->btAllSet, "Set Failed!"}};
    for (const Case& c : cases) {
        const auto box = TakeBox([&] { c.button->click(); }, 5000);
        EXPECT_EQ(box.first.toStdString(), c.text);
        EXPECT_EQ(box.second.toStdString(), "Error");
    }
    // Its follow-up still reports the unchanged count.
    EXPECT_TRUE(WaitFor([&] { return LastReceived() == "$PMTK490*3F\r\n"; }));
    EXPECT_EQ(ui->lbTimes->text(), "3");
}

TEST_F(EndToEnd, ColdRestartResetsTheStatusAndTheCounterRunsUntilTheFixReturns) {
    StartSim({"--cold-start", "3"});
    auto* ui = form_.Controls();
    Open();
    ASSERT_TRUE(WaitFor([&] { return Receiving() && ui->EdHeight->text() == "12.0"; }, 10000));
    const QString lat = ui->EdLat->text();

    ui->cold->click();
    EXPECT_EQ(ui->EdMode->text(), "");
    EXPECT_EQ(ui->EdPDOP->text(), "");
    EXPECT_EQ(ui->EdHeight->text(), "0");
    EXPECT_EQ(ui->Edit1->text(), "0");
    EXPECT_TRUE(ui->Memo1->toPlainText().isEmpty());
    for (QCheckBox* box : {ui->CheckBox1, ui->CheckBox2, ui->CheckBox3, ui->CheckBox4, ui->CheckBox5,
                           ui->CheckBox6, ui->CheckBox7})
        EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
    EXPECT_EQ(ui->EdLat->text(), lat) << "the last position stays on view";
    EXPECT_TRUE(WaitFor([&] { return LastReceived() == "$PMTK103*30\r\n"; }));

    // No fix: the counter counts each second, and stops when the fix is back.
    ASSERT_TRUE(WaitFor([&] { return ui->EdMode->text() == "NONE"; }));
    ASSERT_TRUE(WaitFor([&] { return ui->Edit1->text().toInt() >= 1; }, 3000));
    ASSERT_TRUE(WaitFor([&] { return Receiving(); }, 10000));
    const int seconds = ui->Edit1->text().toInt();
    EXPECT_GE(seconds, 1);
    EXPECT_LE(seconds, 5);
    int ticks = 0;
    QObject::connect(form_.Timer2, &VclTimer::OnTimer, [&] { ++ticks; });
    ASSERT_TRUE(WaitFor([&] { return ticks >= 2; }));
    EXPECT_EQ(ui->Edit1->text().toInt(), seconds);
}

TEST_F(EndToEnd, TheRawLogIsTheEmulatorsOutputByteForByte) {
    StartSim();
    auto* ui = form_.Controls();
    Open();
    ASSERT_TRUE(WaitFor([&] { return Receiving(); }, 10000));

    // Type our file name into the save dialog and accept it; give up (cancel) after a deadline.
    const QString name = QString::fromStdString(Path("traffic"));
    QFileDialog* dialog = form_.SaveDialog1;
    QDeadlineTimer deadline(5000);
    QString seen;
    QTimer accept;
    QObject::connect(&accept, &QTimer::timeout, [&] {
        if (!dialog->isVisible()) return;
        if (deadline.hasExpired()) {
            QMetaObject::invokeMethod(dialog, "reject");
            accept.stop();
            return;
        }
        if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) edit->setText(name);
        seen = dialog->selectedFiles().value(0);
        if (seen != name) return;
        QMetaObject::invokeMethod(dialog, "accept");
        accept.stop();
    });
    accept.start(5);
    ui->StartLog->click();
    ASSERT_TRUE(WaitFor([&] { return ui->StopLog->isEnabled(); }))
        << "the dialog chose " << seen.toStdString();
    ASSERT_TRUE(WaitFor([&] { return QFile(name + ".TXT").size() > 4000; }, 10000));
    ui->StopLog->click();

    const std::string log = ReadFile(name + ".TXT"), sent = ReadFile(QString::fromStdString(Path("record")));
    ASSERT_GT(log.size(), 4000u);
    EXPECT_NE(sent.find(log), std::string::npos) << "the log is not one stretch of what the emulator sent";
}

TEST_F(EndToEnd, ASpeedMismatchFillsTheConsoleWithUndecodableLinesUntilReopened) {
    StartSim({"--baud", "9600"});
    auto* ui = form_.Controls();
    Open();  // at 115200
    ASSERT_TRUE(WaitFor([&] { return ui->Memo1->toPlainText().count('\n') >= 3; }, 10000));
    const QStringList lines = ui->Memo1->toPlainText().split('\n', Qt::SkipEmptyParts);
    for (const QString& line : lines)
        EXPECT_FALSE(PassesChecksum(line.toLatin1().toStdString())) << line.toStdString();
    // Nothing verified, so nothing was decoded or asked.
    EXPECT_TRUE(form_.Timer3->enabled());
    EXPECT_FALSE(form_.Timer1->enabled());
    EXPECT_EQ(ui->EdMode->text(), "");
    for (QCheckBox* box : {ui->CheckBox1, ui->CheckBox2, ui->CheckBox3, ui->CheckBox4})
        EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
    EXPECT_TRUE(Received().empty());

    ui->Button1->click();
    Open(1);  // 9600
    EXPECT_TRUE(WaitFor([&] { return Receiving() && ui->lbTimes->text() == "3"; }, 10000));
    const std::vector<std::string> sent = Received();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front(), kStartupQueries.front());
}

TEST_F(EndToEnd, ReceptionCopesWithSplitSentencesNoiseAndBadChecksums) {
    StartSim({"--split", "--noise", "0.5", "--bad-checksums", "0.2", "--seed", "3"});
    auto* ui = form_.Controls();
    Open();
    EXPECT_TRUE(WaitFor(
        [&] {
            return Receiving() && ui->CheckBox1->isChecked() && ui->CheckBox4->isChecked() &&
                   ui->EdHeight->text() == "12.0" && ui->EdLat->text().startsWith('N');
        },
        15000));
    EXPECT_FALSE(form_.Errors().Showing()) << "a damaged line reached a decoder";
}

}  // namespace
