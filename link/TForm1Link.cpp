#include <QSerialPort>

#include "app/Combo.h"
#include "app/TForm1.h"
#include "app/VclTimer.h"
#include "ui_TForm1.h"

namespace {

int32_t ChosenSpeed(int item) {
    static const int32_t speeds[] = {4800, 9600, 14400, 19200, 38400, 57600, 115200};
    return item >= 0 && item < 7 ? speeds[item] : 115200;
}

}  // namespace

// The controls that only make sense with a port open, in the order they are switched.
static QList<QWidget*> PortControls(Ui::TForm1* ui, bool closing) {
    QList<QWidget*> list{ui->hot,        ui->warm,       ui->cold,        ui->StartLog,   ui->btAllQuery,
                         ui->btAllSet,   ui->btNAQuery,  ui->btDefault,   ui->btConfirm,  ui->btDGQuery,
                         ui->btDGPSSet,  ui->btDaQuery,  ui->btDatumSet,  ui->btSBASSet,  ui->btSBASQuery,
                         ui->btVerQuery, ui->btFixQuery, ui->btFixSet,    ui->btWakeup,   ui->btBAUSet,
                         ui->CheckBox8,  ui->cbTest};
    if (closing) list.insert(16, ui->StopLog);
    return list;
}

void TForm1::Button1Click() {
    if (ui->Button1->text() == QStringLiteral("On")) {
        ui->Button1->setText(QStringLiteral("OFF"));
        const QString device = PortDevice(SelectedItem(ui->ComboBox2), ui->ComboBox2->currentText());
        const int32_t speed = ChosenSpeed(SelectedItem(ui->ComboBox1));
        try {
            S.PortHandle = S.GpsPort.OpenPort(device, speed, S.PortSettings);
        } catch (...) {
            // The port was closed before the error came up: back to Closed, then report.
            ui->Button1->setText(QStringLiteral("On"));
            Timer1->setEnabled(false);
            Timer2->setEnabled(false);
            Timer3->setEnabled(false);
            throw;
        }
        if (!S.PortHandle) {
            ShowMessageBox(QStringLiteral("OPEN COM ERROR"), QStringLiteral("error"));
            ui->Button1->setText(QStringLiteral("On"));
            Timer1->setEnabled(false);
            Timer2->setEnabled(false);
            Timer3->setEnabled(false);
            return;
        }
        Timer3->setEnabled(true);
        Timer2->setEnabled(true);
        for (QWidget* w : PortControls(ui.get(), false)) w->setEnabled(true);
        LinkLoadMeter();
        return;
    }

    ui->Button1->setText(QStringLiteral("On"));
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
    ui->Edit1->setText(QStringLiteral("0"));
    Timer3->setEnabled(false);
    for (QWidget* w : PortControls(ui.get(), true)) w->setEnabled(false);
    ClosePort();
}

void TForm1::ClosePort() {
    if (!S.PortHandle) return;
    // A device that went away was closed when it did.
    if (S.PortHandle->isOpen()) S.PortHandle->clear(QSerialPort::AllDirections);
    S.PortHandle->close();
    S.PortHandle.reset();
}

void TForm1::WritePort(const std::string& bytes) {
    QSerialPort* port = S.PortHandle.get();
    if (!port || !port->isOpen()) return;
    port->write(bytes.data(), static_cast<qint64>(bytes.size()));
    // The sentence is on its way before the handler returns, in the order written.
    while (port->bytesToWrite() > 0 && port->waitForBytesWritten(200)) {
    }
}
