// Receiver configuration: command sending, answers and acknowledgements, Setup page actions.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "app/Combo.h"
#include "app/TForm1.h"
#include "app/VclTimer.h"
#include "config/Answers.h"
#include "config/Catalogue.h"
#include "config/Sentence.h"
#include "nmea/FieldScan.h"
#include "ui_TForm1.h"

using namespace tarnell;

namespace {

std::string Latin1(const QString& s) {
    return s.toLatin1().toStdString();
}

// The text of the selected item, empty when none is selected.
std::string SelectedText(const QComboBox* box) {
    const int i = SelectedItem(box);
    return i >= 0 ? Latin1(box->itemText(i)) : std::string();
}

OutputRates ReadRates(const Ui::TForm1* ui) {
    OutputRates r;
    r.gll = RateValue(SelectedItem(ui->cbGLL));
    r.rmc = RateValue(SelectedItem(ui->cbRMC));
    r.vtg = RateValue(SelectedItem(ui->cbVTG));
    r.gga = RateValue(SelectedItem(ui->cbGGA));
    r.gsa = RateValue(SelectedItem(ui->cbGSA));
    r.gsv = RateValue(SelectedItem(ui->cbGSV));
    r.zda = RateValue(SelectedItem(ui->cbZDA));
    r.mchn = RateValue(SelectedItem(ui->cbMCHN));
    return r;
}

int ReadFixRateHz(const Ui::TForm1* ui) {
    return FixRateHz(SelectedItem(ui->cbFix), Latin1(ui->cbFix->currentText()));
}

int ReadDgpsSource(const Ui::TForm1* ui) {
    return DgpsSourceValue(ui->rbWAAS->isChecked(), ui->rbRTCM->isChecked());
}

void ShowRates(Ui::TForm1* ui, const OutputRates& r) {
    const struct {
        int value;
        QComboBox* box;
        QCheckBox* indicator;
    } rows[] = {
        {r.gll, ui->cbGLL, ui->CheckBox5}, {r.rmc, ui->cbRMC, ui->CheckBox4},
        {r.vtg, ui->cbVTG, ui->CheckBox6}, {r.gga, ui->cbGGA, ui->CheckBox1},
        {r.gsa, ui->cbGSA, ui->CheckBox2}, {r.gsv, ui->cbGSV, ui->CheckBox3},
        {r.zda, ui->cbZDA, ui->CheckBox7}, {r.mchn, ui->cbMCHN, ui->CheckBox9},
    };
    for (const auto& row : rows) {
        SelectItem(row.box, row.value);
        row.indicator->setChecked(row.value != 0);
    }
}

void EmptyChannelTable(QTableWidget* grid) {
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < grid->columnCount() && c < 4; ++c)
            if (QTableWidgetItem* cell = grid->item(r, c)) cell->setText(QString());
}

void ShowPlainText(QLabel* label, const std::string& text) {
    label->setTextFormat(Qt::PlainText);
    label->setText(QString::fromLatin1(text));
}

// Decodes a receiver answer into the Setup page; false when AnswerId names none.
// At start-up acknowledgements are not answers and the channel table stays as it is.
bool DecodeAnswer(TForm1& form, bool startup) {
    Ui::TForm1* ui = form.Controls();
    const SharedState& S = form.State();
    const std::string& line = S.SentenceLine;
    const std::string& id = S.AnswerId;

    if (id == "PMTK514") {
        const OutputRates rates = ParseOutputRates(line);
        ShowRates(ui, rates);
        if (rates.mchn == 0 && !startup) EmptyChannelTable(ui->StringGrid1);
    } else if (id == "PMTK501") {
        if (const auto source = ParseDgpsSource(line)) {
            QRadioButton* const buttons[] = {ui->rbDisable, ui->rbRTCM, ui->rbWAAS};
            buttons[*source]->setChecked(true);
        }
    } else if (id == "PMTK702") {
        if (const auto item = ParseRtcmSpeed(line)) SelectItem(ui->cbRTCMBD, *item);
    } else if (id == "PMTK530") {
        SelectItem(ui->cbDatum, ParseDatum(line));
    } else if (id == "PMTK519") {
        if (const auto mode = ParseSbasMode(line))
            (*mode == 1 ? ui->rbIntegrity : ui->rbTest)->setChecked(true);
    } else if (id == "PMTK500") {
        if (const auto item = ParseFixInterval(line)) SelectItem(ui->cbFix, *item);
    } else if (id == "PMTK590") {
        const StoredSettings stored = ParseStoredSettings(line);
        ui->lbTimes->setText(QString::number(stored.remainingWrites));
        if (stored.speedItem) SelectItem(ui->cbBA, *stored.speedItem);
    } else if (id == "PMTK704") {
        ShowPlainText(ui->Label37, ParseVersionText(line));
    } else if (id == "PMTK705") {
        ShowPlainText(ui->Label27, ParseVersionText(line));
    } else if (id == "PMTKCHN") {
        form.UpdateChannelTable();
    } else if (id == "PMTK001" && !startup) {
        const int checked = ui->rbWAAS->isChecked()      ? 2
                            : ui->rbRTCM->isChecked()    ? 1
                            : ui->rbDisable->isChecked() ? 0
                                                         : -1;
        const AckOutcome ack = Acknowledgement(S.AckCommand, line, checked);
        if (ack.testModeEnabled) ui->lbTest->setText(QStringLiteral("Enabled"));
        // Waits until the user closes it; the receive pump stays stopped meanwhile.
        if (ack.text) ShowMessageBox(QString::fromLatin1(ack.text), QString::fromLatin1(ack.caption));
    } else {
        return false;
    }
    return true;
}

}  // namespace

void TForm1::SendCommand(const std::string& body) {
    WritePort(CompleteSentence(body));
}

void TForm1::WriteFixed(const std::string& sentence) {
    WritePort(sentence);
}

void TForm1::FollowUp(const std::string& query) {
    S.PendingQuery = query;
    FollowUpPort = S.PortHandle.get();
    Timer4->setEnabled(true);
    WriteFixed(query);
}

void TForm1::Timer4Timer() {
    Timer4->setEnabled(false);
    // A port closed since the Set (reopened or not) is not the receiver the query was meant for.
    if (FollowUpPort && FollowUpPort == S.PortHandle.get()) WriteFixed(S.PendingQuery);
}

bool TForm1::DispatchAnswer() {
    return DecodeAnswer(*this, false);
}

void TForm1::StartupDecoder() {
    for (const char* query : kStartupQueries) WriteFixed(query);
    Timer3->setEnabled(false);
    bool answer = false;
    if (S.SentenceLine.size() > 250) {
        S.SentenceLine.clear();
    } else {
        S.AnswerId = Fragment(S.SentenceLine, 2, 7);
        answer = DecodeAnswer(*this, true);
    }
    if (!answer) Timer1->setEnabled(true);
}

void TForm1::hotClick() {
    WriteFixed(kHotRestart);
    ResetStatus();
}

void TForm1::warmClick() {
    WriteFixed(kWarmRestart);
    ResetStatus();
}

void TForm1::coldClick() {
    WriteFixed(kColdRestart);
    ResetStatus();
}

void TForm1::btNAQueryClick() {
    WriteFixed(kQueryOutputRates);
}

void TForm1::btDefaultClick() {
    WriteFixed(kDefaultOutput);
    FollowUp(kQueryOutputRates);
}

void TForm1::btConfirmClick() {
    SendCommand(OutputRatesBody(ReadRates(ui.get())));
    FollowUp(kQueryOutputRates);
}

void TForm1::btFixQueryClick() {
    WriteFixed(kQueryFixInterval);
}

void TForm1::btFixSetClick() {
    SendCommand(FixIntervalBody(FixIntervalMs(ReadFixRateHz(ui.get()))));
}

void TForm1::btBAUSetClick() {
    SendCommand(BaudBody(SelectedText(ui->cbBA)));
}

void TForm1::btDGQueryClick() {
    WriteFixed(kQueryDgpsSource);
    WriteFixed(kQueryRtcmSpeed);
}

void TForm1::btDGPSSetClick() {
    SendCommand(DgpsSourceBody(ReadDgpsSource(ui.get())));
    FollowUp(kQueryDgpsSource);
}

void TForm1::btDaQueryClick() {
    WriteFixed(kQueryDatum);
}

void TForm1::btDatumSetClick() {
    SendCommand(DatumBody(DatumValue(SelectedItem(ui->cbDatum))));
    FollowUp(kQueryDatum);
}

void TForm1::btSBASQueryClick() {
    WriteFixed(kQuerySbasMode);
}

void TForm1::btSBASSetClick() {
    SendCommand(SbasModeBody(ui->rbIntegrity->isChecked() ? 1 : 0));
    FollowUp(kQuerySbasMode);
}

void TForm1::cbTestClick() {
    if (ui->cbTest->isChecked()) SendCommand(TestModeBody());
}

void TForm1::btWakeupClick() {
    SendCommand(WakeupBody());
}

void TForm1::btVerQueryClick() {
    WriteFixed(kQueryVersion);
    WriteFixed(kQueryVersionSecond);
}

void TForm1::btAllQueryClick() {
    for (const char* query : kAllQueries) WriteFixed(query);
}

void TForm1::btAllSetClick() {
    FlashSettings s;
    s.rates = ReadRates(ui.get());
    s.dgpsSource = ReadDgpsSource(ui.get());
    s.datum = DatumValue(SelectedItem(ui->cbDatum));
    s.protection = ui->CheckBox8->isChecked() ? Latin1(ui->lbTimes->text()) : "0";
    s.rtcmBaud = SelectedText(ui->cbRTCMBD);
    s.fixHz = ReadFixRateHz(ui.get());
    s.baud = SelectedText(ui->cbBA);
    SendCommand(FlashWriteBody(s));
    FollowUp(kQueryStoredSettings);
}
