#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPort>
#include <QTableWidget>
#include <QTimer>
#include <functional>

#include "app/Combo.h"
#include "app/TForm1.h"
#include "app/VclTimer.h"
#include "config/Sentence.h"
#include "nmea/FieldScan.h"
#include "support/Pty.h"
#include "support/Window.h"
#include "ui_TForm1.h"

namespace {

using tarnell::CompleteSentence;

// A window with its port open on a pseudo-terminal; the test plays the receiver.
struct Rig {
    Pty pty;
    TForm1 form;
    Ui::TForm1* ui = form.Controls();

    Rig() {
        ui->ComboBox2->setEditText(QString::fromStdString(pty.Path()));
        ui->Button1->click();
        form.Timer3->setEnabled(false);  // no start-up read-back unless a test drives it
    }

    // Everything the program has written since the last call. A marker written through
    // the same path ends the read, so nothing written before it can be missed.
    std::string Written() {
        static const std::string marker = "#end#";
        form.WritePort(marker);
        std::string got;
        WaitFor([&] {
            got += pty.ReadAvailable();
            return got.size() >= marker.size() &&
                   got.compare(got.size() - marker.size(), marker.size(), marker) == 0;
        });
        EXPECT_GE(got.size(), marker.size()) << "marker never arrived";
        return got.size() >= marker.size() ? got.substr(0, got.size() - marker.size()) : got;
    }
};

std::string Line(const std::string& body) {
    return CompleteSentence(body);
}

// Puts a verified line where the dispatch chain leaves it and runs the answer rows.
bool Answer(TForm1& form, const std::string& body) {
    SharedState& s = form.State();
    s.SentenceLine = Line(body);
    s.AnswerId = tarnell::Fragment(s.SentenceLine, 2, 7);
    s.AckCommand = tarnell::Fragment(s.SentenceLine, 10, 3);
    return form.DispatchAnswer();
}

// Runs an action that should show no box; a box that does appear is closed (so the
// action returns) and its text reported.
QString BoxDuring(const std::function<void()>& action) {
    QString seen;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        for (QMessageBox* box : OpenBoxes()) {
            seen = box->text();
            box->close();
        }
    });
    closer.start(0);
    action();
    return seen;
}

const std::string kRates0 = "$PMTK314,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0*28\r\n";
const std::string k414 = "$PMTK414*33\r\n";
const std::string k401 = "$PMTK401*37\r\n";
const std::string k430 = "$PMTK430*35\r\n";
const std::string k419 = "$PMTK419*3E\r\n";
const std::string k490 = "$PMTK490*3F\r\n";

TEST(SetupActions, EachHandlerWritesExactlyItsSentences) {
    using Prepare = std::function<void(Ui::TForm1*)>;
    const Prepare none = [](Ui::TForm1*) {};
    struct Case {
        const char* button;
        Prepare prepare;
        std::string written;
        std::string followUp;  // empty: none armed
    } cases[] = {
        {"btNAQuery", none, k414, ""},
        {"btDefault", none, "$PMTK314,-1*04\r\n" + k414, k414},
        {"btConfirm", none, kRates0 + k414, k414},
        {"btConfirm",
         [](Ui::TForm1* ui) {
             SelectItem(ui->cbGGA, 5);
             SelectItem(ui->cbGLL, 2);
             SelectItem(ui->cbMCHN, 1);
             ui->cbRMC->setEditText("3");  // typed: no item selected
         },
         Line("$PMTK314,2,0,0,5,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1") + k414, k414},
        {"btFixQuery", none, "$PMTK400*36\r\n", ""},
        {"btFixSet", [](Ui::TForm1* ui) { SelectItem(ui->cbFix, 2); }, "$PMTK300,333,0,0,0,0*2E\r\n", ""},
        {"btFixSet", none, "$PMTK300,1000,0,0,0,0*1C\r\n", ""},
        {"btFixSet", [](Ui::TForm1* ui) { ui->cbFix->setEditText("10"); }, Line("$PMTK300,100,0,0,0,0"), ""},
        {"btFixSet", [](Ui::TForm1* ui) { ui->cbFix->setEditText("fast"); }, "$PMTK300,1000,0,0,0,0*1C\r\n",
         ""},
        {"btBAUSet", [](Ui::TForm1* ui) { SelectItem(ui->cbBA, -1); }, "$PMTK251,*18\r\n", ""},
        {"btBAUSet", [](Ui::TForm1* ui) { SelectItem(ui->cbBA, 1); }, "$PMTK251,9600*17\r\n", ""},
        {"btDGQuery", none, k401 + "$PMTK602*36\r\n", ""},
        {"btDGPSSet", none, "$PMTK301,0*2C\r\n" + k401, k401},
        {"btDGPSSet",
         [](Ui::TForm1* ui) {
             ui->rbWAAS->setChecked(true);
             SelectItem(ui->cbRTCMBD, 3);
         },
         Line("$PMTK301,2") + k401, k401},
        {"btDGPSSet", [](Ui::TForm1* ui) { ui->rbRTCM->setChecked(true); }, Line("$PMTK301,1") + k401, k401},
        {"btDaQuery", none, k430, ""},
        {"btDatumSet", none, "$PMTK330,0*2E\r\n" + k430, k430},
        {"btDatumSet", [](Ui::TForm1* ui) { SelectItem(ui->cbDatum, 222); }, "$PMTK330,222*2C\r\n" + k430,
         k430},
        {"btDatumSet", [](Ui::TForm1* ui) { SelectItem(ui->cbDatum, 220); }, Line("$PMTK330,220") + k430,
         k430},
        {"btSBASQuery", none, k419, ""},
        {"btSBASSet", none, Line("$PMTK319,0") + k419, k419},
        {"btSBASSet", [](Ui::TForm1* ui) { ui->rbIntegrity->setChecked(true); }, Line("$PMTK319,1") + k419,
         k419},
        {"btSBASSet", [](Ui::TForm1* ui) { ui->rbTest->setChecked(true); }, Line("$PMTK319,0") + k419, k419},
        {"cbTest", none, Line("$PMTK160,1"), ""},
        {"cbTest", [](Ui::TForm1* ui) { ui->cbTest->setChecked(true); }, "", ""},  // the click clears it
        {"btWakeup", none, "$PMTK188,1*2E\r\n", ""},
        {"btVerQuery", none, "$PMTK605*31\r\n$PMTK604*30\r\n", ""},
        {"btAllQuery", none, k490 + k414 + k401 + "$PMTK602*36\r\n" + k430 + k419 + "$PMTK400*36\r\n", ""},
        {"btAllSet", none, "$PMTK390,0,1,4800,0,0,0,0,0,0,0,0,0,0,*35\r\n" + k490, k490},
        {"btAllSet", [](Ui::TForm1* ui) { ui->CheckBox8->setChecked(true); },
         Line("$PMTK390,,1,4800,0,0,0,0,0,0,0,0,0,0,") + k490, k490},
        {"btAllSet",
         [](Ui::TForm1* ui) {
             ui->CheckBox8->setChecked(true);
             ui->lbTimes->setText("2");
             const std::pair<QComboBox*, int> picks[] = {
                 {ui->cbGLL, 1}, {ui->cbRMC, 2}, {ui->cbVTG, 3},    {ui->cbGGA, 4},
                 {ui->cbGSA, 5}, {ui->cbGSV, 0}, {ui->cbZDA, 2},    {ui->cbMCHN, 3},
                 {ui->cbFix, 4}, {ui->cbBA, 6},  {ui->cbDatum, 12}, {ui->cbRTCMBD, 0}};
             for (const auto& [box, item] : picks) SelectItem(box, item);
             ui->rbWAAS->setChecked(true);
         },
         Line("$PMTK390,2,5,115200,1,2,3,5,0,4,2,3,2,12,4800") + k490, k490},
        {"btAllSet", [](Ui::TForm1* ui) { ui->cbFix->setEditText("7"); },
         Line("$PMTK390,0,7,4800,0,0,0,0,0,0,0,0,0,0,") + k490, k490},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.button) + " -> " + c.written);
        Rig rig;
        c.prepare(rig.ui);
        auto* button = rig.form.findChild<QAbstractButton*>(c.button);
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(button->isEnabled());
        button->click();
        EXPECT_EQ(rig.Written(), c.written);
        EXPECT_EQ(rig.form.Timer4->enabled(), !c.followUp.empty());
        if (c.followUp.empty()) continue;
        EXPECT_EQ(rig.form.State().PendingQuery, c.followUp);
        rig.form.Timer4->fire();
        EXPECT_EQ(rig.Written(), c.followUp);
        EXPECT_FALSE(rig.form.Timer4->enabled());
    }
}

TEST(SetupActions, ClearingTheTestModeLeavesItsLabel) {
    Rig rig;
    rig.ui->cbTest->click();
    rig.ui->cbTest->click();
    EXPECT_FALSE(rig.ui->cbTest->isChecked());
    EXPECT_EQ(rig.Written(), Line("$PMTK160,1"));
    EXPECT_EQ(rig.ui->lbTest->text(), "Disable");
}

TEST(SetupActions, RestartsWriteThenResetTheStatus) {
    const std::pair<const char*, const char*> restarts[] = {
        {"hot", "$PMTK101*32\r\n"}, {"warm", "$PMTK102*31\r\n"}, {"cold", "$PMTK103*30\r\n"}};
    for (const auto& [name, sentence] : restarts) {
        Rig rig;
        rig.ui->Edit1->setText("42");
        rig.ui->Memo1->setPlainText("$GPGGA,...");
        rig.ui->CheckBox1->setChecked(true);
        rig.form.findChild<QPushButton*>(name)->click();
        EXPECT_EQ(rig.Written(), sentence) << name;
        EXPECT_EQ(rig.ui->Edit1->text(), "0") << name;
        EXPECT_TRUE(rig.ui->Memo1->toPlainText().isEmpty()) << name;
        EXPECT_FALSE(rig.ui->CheckBox1->isChecked()) << name;
        EXPECT_FALSE(rig.form.Timer4->enabled()) << name;
    }
}

TEST(SetupActions, SecondSetWithinTheDelayReplacesTheRepeatedQuery) {
    Rig rig;
    rig.ui->btDatumSet->click();
    rig.ui->rbIntegrity->setChecked(true);
    rig.ui->btSBASSet->click();
    EXPECT_EQ(rig.Written(), "$PMTK330,0*2E\r\n" + k430 + Line("$PMTK319,1") + k419);
    rig.form.Timer4->fire();
    EXPECT_EQ(rig.Written(), k419);
    EXPECT_FALSE(rig.form.Timer4->enabled());
}

TEST(SetupActions, FollowUpDueAfterThePortClosedIsDropped) {
    Rig rig;
    const auto reopen = [&rig] {
        rig.ui->Button1->click();
        rig.form.Timer3->setEnabled(false);
        ASSERT_TRUE(rig.form.State().PortHandle);
    };
    rig.ui->btDatumSet->click();
    EXPECT_EQ(rig.Written(), "$PMTK330,0*2E\r\n" + k430);
    rig.ui->Button1->click();  // OFF
    ASSERT_FALSE(rig.form.State().PortHandle);
    EXPECT_TRUE(rig.form.Timer4->enabled());  // closing does not stop it
    rig.form.Timer4->fire();
    EXPECT_FALSE(rig.form.Timer4->enabled());
    reopen();
    EXPECT_EQ(rig.Written(), "");

    // Closed and reopened before the query fell due: the new port is not asked either.
    rig.ui->btDatumSet->click();
    EXPECT_EQ(rig.Written(), "$PMTK330,0*2E\r\n" + k430);
    rig.ui->Button1->click();
    reopen();
    rig.form.Timer4->fire();
    EXPECT_EQ(rig.Written(), "");
    EXPECT_FALSE(rig.form.Timer4->enabled());
}

TEST(SetupAnswers, OutputRatesSetBoxesIndicatorsAndEmptyTheChannelTable) {
    TForm1 form;
    Ui::TForm1* ui = form.Controls();
    QTableWidget* grid = ui->StringGrid1;
    grid->setItem(0, 0, new QTableWidgetItem("1"));
    grid->setItem(31, 3, new QTableWidgetItem("Tracking"));
    for (QCheckBox* b : {ui->CheckBox5, ui->CheckBox6, ui->CheckBox7, ui->CheckBox9}) b->setChecked(true);

    ASSERT_TRUE(Answer(form, "$PMTK514,0,1,0,1,1,5,0,0,0,0,0,0,0,0,0,0,0,0,0"));
    const std::tuple<QComboBox*, int, QCheckBox*> rows[] = {
        {ui->cbGLL, 0, ui->CheckBox5}, {ui->cbRMC, 1, ui->CheckBox4}, {ui->cbVTG, 0, ui->CheckBox6},
        {ui->cbGGA, 1, ui->CheckBox1}, {ui->cbGSA, 1, ui->CheckBox2}, {ui->cbGSV, 5, ui->CheckBox3},
        {ui->cbZDA, 0, ui->CheckBox7}, {ui->cbMCHN, 0, ui->CheckBox9}};
    for (const auto& [box, item, indicator] : rows) {
        EXPECT_EQ(SelectedItem(box), item) << box->objectName().toStdString();
        EXPECT_EQ(box->currentText(), QString::number(item)) << box->objectName().toStdString();
        EXPECT_EQ(indicator->isChecked(), item != 0) << indicator->objectName().toStdString();
    }
    EXPECT_EQ(grid->item(0, 0)->text(), "");
    EXPECT_EQ(grid->item(31, 3)->text(), "");
    EXPECT_EQ(grid->horizontalHeaderItem(3)->text(), "Status");

    // Channel report on: the table stays. A rate the box does not hold selects nothing but counts as on.
    grid->item(0, 0)->setText("1");
    ASSERT_TRUE(Answer(form, "$PMTK514,0,0,0,0,0,7,0,0,0,0,0,0,0,0,0,0,0,0,1"));
    EXPECT_EQ(grid->item(0, 0)->text(), "1");
    EXPECT_TRUE(ui->CheckBox9->isChecked());
    EXPECT_EQ(SelectedItem(ui->cbGSV), -1);
    EXPECT_TRUE(ui->CheckBox3->isChecked());
}

TEST(SetupAnswers, SelectTheReportedSettings) {
    TForm1 form;
    Ui::TForm1* ui = form.Controls();
    struct Case {
        const char* body;
        std::function<void()> check;
    } cases[] = {
        {"$PMTK501,2", [&] { EXPECT_TRUE(ui->rbWAAS->isChecked()); }},
        {"$PMTK501,1", [&] { EXPECT_TRUE(ui->rbRTCM->isChecked()); }},
        {"$PMTK501,3", [&] { EXPECT_TRUE(ui->rbRTCM->isChecked()); }},  // unknown: unchanged
        {"$PMTK501,0", [&] { EXPECT_TRUE(ui->rbDisable->isChecked()); }},
        {"$PMTK702,0,0,9600", [&] { EXPECT_EQ(SelectedItem(ui->cbRTCMBD), 1); }},
        {"$PMTK702,0,0,2400", [&] { EXPECT_EQ(SelectedItem(ui->cbRTCMBD), 1); }},
        {"$PMTK530,5", [&] { EXPECT_EQ(SelectedItem(ui->cbDatum), 5); }},
        {"$PMTK530,12", [&] { EXPECT_EQ(SelectedItem(ui->cbDatum), 12); }},
        {"$PMTK530,123",
         [&] {
             EXPECT_EQ(SelectedItem(ui->cbDatum), 123);
             EXPECT_TRUE(ui->cbDatum->currentText().startsWith("(123)"));
         }},
        {"$PMTK519,1", [&] { EXPECT_TRUE(ui->rbIntegrity->isChecked()); }},
        {"$PMTK519,0", [&] { EXPECT_TRUE(ui->rbTest->isChecked()); }},
        {"$PMTK500,200,0,0,0,0", [&] { EXPECT_EQ(ui->cbFix->currentText(), "5"); }},
        {"$PMTK500,2000,0,0,0,0", [&] { EXPECT_EQ(ui->cbFix->currentText(), "5"); }},
        {"$PMTK500,1000,0,0,0,0", [&] { EXPECT_EQ(ui->cbFix->currentText(), "1"); }},
        {"$PMTK590,3,0,9600,1,0,0,0,0,1,0,0,0,0,4800",
         [&] {
             EXPECT_EQ(ui->lbTimes->text(), "3");
             EXPECT_EQ(ui->cbBA->currentText(), "9600");
         }},
        {"$PMTK590,2",
         [&] {
             EXPECT_EQ(ui->lbTimes->text(), "2");
             EXPECT_EQ(ui->cbBA->currentText(), "9600");
         }},
        {"$PMTK705,AXN_1.30,0145", [&] { EXPECT_EQ(ui->Label27->text(), "AXN_1.30,0145"); }},
        {"$PMTK704,<b>2</b>",
         [&] {
             EXPECT_EQ(ui->Label37->text(), "<b>2</b>");
             EXPECT_EQ(ui->Label37->textFormat(), Qt::PlainText);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        EXPECT_TRUE(Answer(form, c.body));
        c.check();
    }
    EXPECT_FALSE(Answer(form, "$PMTK999,1"));
}

TEST(SetupAnswers, AcknowledgementsShowTheirBox) {
    TForm1 form;
    Ui::TForm1* ui = form.Controls();
    struct Case {
        const char* body;
        QRadioButton* dgps;  // checked before the answer arrives, if any
        const char* text;
        const char* caption;
    } cases[] = {
        {"$PMTK001,314,3", nullptr, "Success!", "Send ok"},
        {"$PMTK001,314,2", nullptr, "Failed!", "Error"},
        {"$PMTK001,301,3", ui->rbWAAS, "WAAS Enabled!", "Send ok"},
        {"$PMTK001,301,3", ui->rbDisable, "DGPS Disabled!", "Send ok"},
        {"$PMTK001,330,3", nullptr, "Changed Successfully!", "Send ok"},
        {"$PMTK001,251,1", nullptr, "Set Failed!", "Error"},
        {"$PMTK001,390,3", nullptr, "Set Successful!", "Send ok"},
    };
    for (const Case& c : cases) {
        if (c.dgps) c.dgps->setChecked(true);
        bool took = false;
        const auto box = TakeBox([&] { took = Answer(form, c.body); });
        EXPECT_TRUE(took) << c.body;
        EXPECT_EQ(box.first, c.text) << c.body;
        EXPECT_EQ(box.second, c.caption) << c.body;
    }

    // No box: the test mode only sets its label, and only on success; unknown commands show nothing.
    const std::pair<const char*, const char*> silent[] = {
        {"$PMTK001,160,0", "Disable"}, {"$PMTK001,160,3", "Enabled"}, {"$PMTK001,101,3", "Enabled"}};
    for (const auto& [body, label] : silent) {
        bool took = false;
        EXPECT_EQ(BoxDuring([&] { took = Answer(form, body); }), "") << body;
        EXPECT_TRUE(took) << body;
        EXPECT_EQ(ui->lbTest->text(), label) << body;
    }
}

TEST(SetupAnswers, WhileAnAcknowledgementIsOpenTheWindowWorksButNoLineIsDecoded) {
    Rig rig;
    const std::string lines = Line("$PMTK001,330,3") + Line("$PMTK530,5");
    rig.pty.Write(lines);
    QSerialPort* port = rig.form.State().PortHandle.get();
    ASSERT_TRUE(WaitFor([&] { return port->bytesAvailable() >= static_cast<qint64>(lines.size()); }));

    QString text;
    bool pumpDuring = true;
    int datumDuring = -2;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const auto boxes = OpenBoxes();
        if (boxes.isEmpty()) return;
        poll.stop();
        text = boxes.front()->text();
        pumpDuring = rig.form.Timer1->enabled();
        datumDuring = SelectedItem(rig.ui->cbDatum);
        rig.ui->btDaQuery->click();
        boxes.front()->close();
    });
    poll.start(5);
    rig.form.Timer1->fire();

    EXPECT_EQ(text, "Changed Successfully!");
    EXPECT_FALSE(pumpDuring);
    EXPECT_EQ(datumDuring, -1);
    EXPECT_EQ(rig.Written(), k430);  // the click inside the box went out at once
    EXPECT_EQ(SelectedItem(rig.ui->cbDatum), 5);
    EXPECT_TRUE(rig.form.Timer1->enabled());
}

TEST(StartupDecoder, QueriesStopsTheStartupPumpAndDecodesAnswersOnly) {
    const std::string startupQueries =
        k414 + k401 + "$PMTK602*36\r\n" + k430 + k490 + "$PMTK400*36\r\n" + k419;
    struct Case {
        std::string line;
        bool mainPumpStarted;
    } cases[] = {
        {Line("$GPGGA,120000,5130.0,N,00010.0,W,1,08,1.0,50.0,M,,,,"), true},
        {Line("$PMTK001,314,3"), true},  // an acknowledgement is no answer here, and shows no box
        {Line("$PMTK514,0,1,0,1,1,5,0,0,0,0,0,0,0,0,0,0,0,0,0"), false},
        {Line("$PMTK519,1"), false},
        {Line("$PMTK590,1,0,38400"), false},
        {"$PMTK530," + std::string(240, '1') + "*00\r\n", true},  // overlong: no answer
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        Rig rig;
        QTableWidget* grid = rig.ui->StringGrid1;
        grid->setItem(0, 1, new QTableWidgetItem("07"));
        rig.form.Timer3->setEnabled(true);
        rig.form.State().SentenceLine = c.line;
        EXPECT_EQ(BoxDuring([&] { rig.form.StartupDecoder(); }), "");
        EXPECT_EQ(rig.Written(), startupQueries);
        EXPECT_FALSE(rig.form.Timer3->enabled());
        EXPECT_EQ(rig.form.Timer1->enabled(), c.mainPumpStarted);
        EXPECT_EQ(grid->item(0, 1)->text(), "07");  // the rates answer leaves the channel table here
        EXPECT_EQ(rig.ui->EdHeight->text(), "");    // nothing went to the sentence dispatch
    }
    Rig rig;
    rig.form.State().SentenceLine = Line("$PMTK514,0,1,0,1,1,5,0,0,0,0,0,0,0,0,0,0,0,0,0");
    rig.form.StartupDecoder();
    EXPECT_EQ(SelectedItem(rig.ui->cbGSV), 5);
    rig.form.State().SentenceLine = Line("$PMTK519,1");
    rig.form.StartupDecoder();
    EXPECT_TRUE(rig.ui->rbIntegrity->isChecked());
}

TEST(StartupReadBack, OpeningThePortFillsTheSetupPage) {
    Rig rig;
    TForm1& form = rig.form;
    Ui::TForm1* ui = rig.ui;
    form.Timer3->setEnabled(true);
    const std::string gga = Line("$GPGGA,120000,5130.0,N,00010.0,W,1,08,1.0,50.0,M,,,,");
    rig.pty.Write(gga + gga);
    QSerialPort* port = form.State().PortHandle.get();
    ASSERT_TRUE(WaitFor([&] { return port->bytesAvailable() >= static_cast<qint64>(2 * gga.size()); }));
    form.Timer3->fire();
    // Both sentences of the first chunk went to the start-up decoder: the seven queries twice.
    const std::string queries = k414 + k401 + "$PMTK602*36\r\n" + k430 + k490 + "$PMTK400*36\r\n" + k419;
    EXPECT_EQ(rig.Written(), queries + queries);
    EXPECT_FALSE(form.Timer3->enabled());
    EXPECT_TRUE(form.Timer1->enabled());
    EXPECT_FALSE(ui->CheckBox1->isChecked());

    for (const char* body :
         {"$PMTK514,1,1,0,1,1,1,0,0,0,0,0,0,0,0,0,0,0,1,1", "$PMTK501,2", "$PMTK702,0,0,38400", "$PMTK530,86",
          "$PMTK590,3,0,57600", "$PMTK500,250,0,0,0,0", "$PMTK519,1"})
        rig.pty.Write(Line(body));
    ASSERT_TRUE(WaitFor([&] {
        form.Timer1->fire();
        return ui->rbIntegrity->isChecked();
    }));
    EXPECT_EQ(ui->cbGLL->currentText(), "1");
    EXPECT_EQ(ui->cbMCHN->currentText(), "1");
    EXPECT_TRUE(ui->CheckBox9->isChecked());
    EXPECT_TRUE(ui->rbWAAS->isChecked());
    EXPECT_EQ(ui->cbRTCMBD->currentText(), "38400");
    EXPECT_EQ(SelectedItem(ui->cbDatum), 86);
    EXPECT_EQ(ui->lbTimes->text(), "3");
    EXPECT_EQ(ui->cbBA->currentText(), "57600");
    EXPECT_EQ(ui->cbFix->currentText(), "4");

    // The flash write now carries what the receiver reported.
    ui->btAllSet->click();
    EXPECT_EQ(rig.Written(), Line("$PMTK390,0,4,57600,1,1,0,1,1,1,1,1,2,86,38400") + k490);
}

}  // namespace
