// Displays: sky view and signal chart, channel table, link load meter.
#include <QLabel>
#include <QTableWidget>

#include "app/Combo.h"
#include "app/Look.h"
#include "app/TForm1.h"
#include "ui_TForm1.h"
#include "views/ChannelReport.h"
#include "views/LinkLoad.h"
#include "views/SkyPlan.h"
#include "views/TChart.h"
#include "views/TImage.h"

namespace {

const QColor kSkyBackground(192, 220, 192);
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 128, 0);

void SetCell(QTableWidget* grid, int row, int column, const std::string& text) {
    QTableWidgetItem* item = grid->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        grid->setItem(row, column, item);
    }
    item->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace

void TForm1::DrawSkyView() {
    TChart* chart = ui->Chart1;
    chart->Series1->Clear();
    chart->Series2->Clear();

    TImage* sky = ui->Image1;
    sky->SetPenColor(kSkyBackground);
    sky->SetBrushColor(kSkyBackground);
    sky->RoundRect(0, 0, 200, 200, 3, 3);
    sky->SetPenColor(kBlack);
    sky->Ellipse(6, 6, 146, 146);
    sky->Ellipse(46, 46, 106, 106);

    const QFont markerFont(QStringLiteral("Arial"), 7);
    const std::string mode = ui->EdMode->text().toLatin1().toStdString();
    for (const tarnell::SkyMark& m : tarnell::TakeSkyMarks(S.SatelliteTable, S.GpsPort.UsedInFix, mode)) {
        const QString number = QString::number(m.Number);
        chart->Series1->Add(m.Snr, number, m.Used ? kGreen : kWhite);
        chart->Series2->Add(0, QString::number(m.Snr));

        sky->SetBrushColor(m.Used ? kBlue : kWhite);
        sky->SetFontColor(m.Used ? kWhite : kRed);
        sky->SetFont(markerFont);
        sky->Ellipse(m.Centre.x - 10, m.Centre.y - 10, m.Centre.x + 10, m.Centre.y + 10);
        sky->TextOut(m.TextAt.x, m.TextAt.y, number);
    }
}

void TForm1::UpdateChannelTable() {
    QTableWidget* grid = ui->StringGrid1;
    for (int row = 0; row < grid->rowCount(); ++row) SetCell(grid, row, 0, std::to_string(row + 1));
    for (int k = 0; k < 32 && k < grid->rowCount(); ++k) {
        const auto entry = tarnell::ChannelEntryAt(S.SentenceLine, k);
        if (!entry) continue;  // a short report leaves the rest of the rows as they were
        if (!entry->Status.empty()) SetCell(grid, k, 3, entry->Status);
        SetCell(grid, k, 1, entry->SvId);
        SetCell(grid, k, 2, entry->Snr);
    }
}

void TForm1::LinkLoadMeter() {
    const std::array<int, 8> rates = {
        SelectedItem(ui->cbGLL), SelectedItem(ui->cbRMC), SelectedItem(ui->cbVTG), SelectedItem(ui->cbGSA),
        SelectedItem(ui->cbGSV), SelectedItem(ui->cbGGA), SelectedItem(ui->cbZDA), SelectedItem(ui->cbMCHN),
    };
    const auto reading = tarnell::ComputeLinkLoad(SelectedItem(ui->cbBA), SelectedItem(ui->cbFix), rates);
    if (!reading) {
        // A typed speed or fix rate has no row in the cost table: no figure to show.
        ui->lbFix->setText(QStringLiteral("-"));
        ui->lbRS->setText(QStringLiteral("-"));
    } else {
        ui->lbFix->setText(QString::number(reading->FixRate));
        ui->lbRS->setText(QString::fromStdString(tarnell::LoadText(reading->Load)));
    }
    // The label grows with its text, as "100.0" needs more room than the design's "0.0".
    ui->lbRS->adjustSize();
    const QColor colour = reading && reading->Load > 100 ? kRed : kWhite;
    SetTextColour(ui->lbRS, colour);
    SetTextColour(ui->Label40, colour);
}

void TForm1::Timer5Timer() {
    LinkLoadMeter();
}
