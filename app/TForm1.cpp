#include "app/TForm1.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QPushButton>

#include "app/Combo.h"
#include "app/Look.h"
#include "app/VclTimer.h"
#include "config/DatumTable.h"
#include "ui_TForm1.h"

TForm1::TForm1(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm1>()) {
    InstallFontSubstitutions();
    ui->setupUi(this);
    setWindowTitle(QString::fromLatin1(kAppTitle));
    move(436, 365);

    Timer1 = new VclTimer(this, QStringLiteral("Timer1"), false, 1000);
    Timer2 = new VclTimer(this, QStringLiteral("Timer2"), true, 1000);
    Timer3 = new VclTimer(this, QStringLiteral("Timer3"), false, 100);
    Timer4 = new VclTimer(this, QStringLiteral("Timer4"), false, 500);
    Timer5 = new VclTimer(this, QStringLiteral("Timer5"), true, 100);

    SaveDialog1 = new QFileDialog(this);
    SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1->setNameFilter(QStringLiteral("*.txt (*.txt)"));
    SaveDialog1->selectFile(QStringLiteral("mytest"));

    for (QComboBox* box : findChildren<QComboBox*>()) {
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        TrackTyping(box);
    }
    ApplyStartSelections();
    ConnectHandlers();
    Guard([this] { FormCreate(); });
}

TForm1::~TForm1() = default;

void TForm1::ApplyStartSelections() {
    ui->cbDatum->clear();
    for (std::string_view datum : tarnell::DatumTable)
        ui->cbDatum->addItem(QString::fromLatin1(datum.data(), static_cast<qsizetype>(datum.size())));
    ShowUnselectedText(ui->ComboBox1, "115200");
    ShowUnselectedText(ui->ComboBox2, "COM1");
    ShowUnselectedText(ui->cbRTCMBD, "4800");
    if (ui->cbDatum->count() > 0) {
        const QString first = ui->cbDatum->itemText(0);
        ui->cbDatum->setCurrentIndex(-1);
        ui->cbDatum->setEditText(first);
    }
    for (QComboBox* box : {ui->cbGLL, ui->cbRMC, ui->cbVTG, ui->cbGSA, ui->cbGSV, ui->cbGGA,
                           ui->cbZDA, ui->cbMCHN, ui->cbFix, ui->cbBA})
        SelectItem(box, 0);
}

void TForm1::ConnectHandlers() {
    const auto onClick = [this](QAbstractButton* b, void (TForm1::*handler)()) {
        connect(b, &QAbstractButton::clicked, this, [this, handler] { Guard([this, handler] { (this->*handler)(); }); });
    };
    onClick(ui->Button1, &TForm1::Button1Click);
    onClick(ui->hot, &TForm1::hotClick);
    onClick(ui->warm, &TForm1::warmClick);
    onClick(ui->cold, &TForm1::coldClick);
    onClick(ui->StartLog, &TForm1::StartLogClick);
    onClick(ui->StopLog, &TForm1::StopLogClick);
    onClick(ui->btNAQuery, &TForm1::btNAQueryClick);
    onClick(ui->btDefault, &TForm1::btDefaultClick);
    onClick(ui->btConfirm, &TForm1::btConfirmClick);
    onClick(ui->btFixQuery, &TForm1::btFixQueryClick);
    onClick(ui->btFixSet, &TForm1::btFixSetClick);
    onClick(ui->btBAUSet, &TForm1::btBAUSetClick);
    onClick(ui->btDGQuery, &TForm1::btDGQueryClick);
    onClick(ui->btDGPSSet, &TForm1::btDGPSSetClick);
    onClick(ui->btDaQuery, &TForm1::btDaQueryClick);
    onClick(ui->btDatumSet, &TForm1::btDatumSetClick);
    onClick(ui->btSBASQuery, &TForm1::btSBASQueryClick);
    onClick(ui->btSBASSet, &TForm1::btSBASSetClick);
    onClick(ui->cbTest, &TForm1::cbTestClick);
    onClick(ui->btWakeup, &TForm1::btWakeupClick);
    onClick(ui->btVerQuery, &TForm1::btVerQueryClick);
    onClick(ui->btAllQuery, &TForm1::btAllQueryClick);
    onClick(ui->btAllSet, &TForm1::btAllSetClick);

    const auto onTimer = [this](VclTimer* t, void (TForm1::*handler)()) {
        connect(t, &VclTimer::OnTimer, this, [this, handler] { Guard([this, handler] { (this->*handler)(); }); });
    };
    onTimer(Timer1, &TForm1::Timer1Timer);
    onTimer(Timer2, &TForm1::Timer2Timer);
    onTimer(Timer3, &TForm1::Timer3Timer);
    onTimer(Timer4, &TForm1::Timer4Timer);
    onTimer(Timer5, &TForm1::Timer5Timer);
}

void TForm1::FormCreate() {
    static const char* const headings[] = {"Channel", "SVid", "SNR", "Status"};
    static const int widths[] = {120, 120, 120, 260};
    for (int c = 0; c < 4; ++c) {
        ui->StringGrid1->setHorizontalHeaderItem(c, new QTableWidgetItem(QString::fromLatin1(headings[c])));
        ui->StringGrid1->setColumnWidth(c, widths[c]);
    }
    ui->Memo1->clear();
    // The console takes lines for as long as the program runs: an undo history would grow without end.
    ui->Memo1->setUndoRedoEnabled(false);
    ApplyStartupColours(ui.get());
    ui->Image1->SetPenColor(QColor(192, 220, 192));
    ui->Image1->SetBrushColor(QColor(192, 220, 192));
    ui->Image1->RoundRect(0, 0, 200, 200, 3, 3);
}

void TForm1::FormClose() {
    ui->Button1->setText(QStringLiteral("On"));
    Timer1->setEnabled(false);
    ClosePort();
    ResetStatus();
}

void TForm1::closeEvent(QCloseEvent* event) {
    Guard([this] { FormClose(); });
    event->accept();
}
