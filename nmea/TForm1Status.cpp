// Navigation status: the dispatch chain, the status reset and the time-to-fix counter.
#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QSerialPort>
#include <algorithm>
#include <cfloat>

#include "app/TForm1.h"
#include "nmea/FieldScan.h"
#include "nmea/Format.h"
#include "nmea/Satellites.h"
#include "ui_TForm1.h"

namespace {

QString Text(const std::string& s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

// Longer lines are no sentence of this receiver's.
constexpr std::size_t kLongestSentence = 250;

}  // namespace

void TForm1::DispatchSentence() {
    if (S.SentenceLine.size() > kLongestSentence) {
        S.SentenceLine.clear();
        return;
    }
    const std::string& line = S.SentenceLine;
    tarnell::GpsDecoder& gps = S.GpsPort;
    S.SentenceId = tarnell::Fragment(line, 2, 5);
    const std::string& id = S.SentenceId;

    if (id == "GPGSV") {
        ui->CheckBox3->setChecked(true);
        if (tarnell::DecodeGsv(line, S.SatelliteTable) == "Show") DrawSkyView();
    } else if (id == "GPGGA") {
        gps.DecodeGga(line);
        ui->EdHeight->setText(Text(gps.AltitudeText));
        ui->CheckBox1->setChecked(true);
    } else if (id == "GPRMC") {
        ui->CheckBox4->setChecked(true);
        gps.DecodeRmc(line);
        ui->EdLat->setText(Text(gps.NorthSouth + gps.FormatCoordinate(gps.LatitudeNmea)));
        ui->EdLon->setText(Text(gps.EastWest + gps.FormatCoordinate(gps.LongitudeNmea)));
        ui->EdSpeed->setText(
            Text(tarnell::GeneralNumber(gps.SpeedKmh)).replace(QLatin1Char('.'), QLocale().decimalPoint()));
        const int32_t t = tarnell::TruncInt32(gps.UtcTimeNmea);
        const auto lon = static_cast<float>(std::clamp(gps.LongitudeNmea, -double{FLT_MAX}, double{FLT_MAX}));
        ui->EdTime->setText(Text(gps.FormatLocalTime(t, lon, gps.EastWest)));
        ui->EdDate->setText(Text(gps.FormatLocalDate(gps.UtcDateNmea)));
    } else if (id == "GPGSA") {
        ui->CheckBox2->setChecked(true);
        gps.DecodeGsa(line);
        ui->EdPDOP->setText(Text(tarnell::FixedPoint(gps.Pdop, 2, 2)));
        const bool fix = gps.FixType == 2 || gps.FixType == 3;
        ui->EdMode->setText(fix ? QStringLiteral("%1D").arg(gps.FixType) : QStringLiteral("NONE"));
        S.FixDigit = fix ? std::to_string(gps.FixType) : "0";
    } else if (id == "GPVTG") {
        ui->CheckBox6->setChecked(true);
    } else if (id == "GPZDA") {
        ui->CheckBox7->setChecked(true);
    } else if (id == "GPGLL") {
        ui->CheckBox5->setChecked(true);
    } else {
        S.AnswerId = tarnell::Fragment(line, 2, 7);
        S.AckCommand = tarnell::Fragment(line, 10, 3);
        DispatchAnswer();
    }
}

void TForm1::ResetStatus() {
    tarnell::GpsDecoder& gps = S.GpsPort;
    gps.AltitudeText = "0";
    gps.LatitudeNmea = 0;
    gps.LongitudeNmea = 0;
    gps.Pdop = 0;
    gps.FixType = 0;
    gps.UtcDateNmea = 0;
    gps.UtcTimeNmea = 0;
    ui->Edit1->setText(QStringLiteral("0"));
    ui->Memo1->clear();
    ui->EdMode->clear();
    ui->EdPDOP->clear();
    for (QLineEdit* e : {ui->EdHeight, ui->EdSpeed, ui->EdTime, ui->EdDate}) e->setText(QStringLiteral("0"));
    // Whatever the receiver sent before the restart is stale: one bounded read, never waiting.
    if (QSerialPort* port = S.PortHandle.get(); port && port->isOpen()) {
        port->waitForReadyRead(0);
        char scratch[1024];
        port->read(scratch, sizeof scratch);
    }
    for (QCheckBox* box : {ui->CheckBox1, ui->CheckBox2, ui->CheckBox3, ui->CheckBox4, ui->CheckBox5,
                           ui->CheckBox6, ui->CheckBox7})
        box->setChecked(false);
}

void TForm1::Timer2Timer() {
    if (S.FixDigit != "0") return;
    const int32_t seconds = tarnell::StrictInteger(ui->Edit1->text().toLatin1().toStdString());
    ui->Edit1->setText(QString::number(int64_t{seconds} + 1));
}
