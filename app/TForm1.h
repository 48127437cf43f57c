#pragma once
#include <QWidget>
#include <memory>
#include <string>

#include "app/Dialogs.h"
#include "app/SharedState.h"

namespace Ui {
class TForm1;
}
class VclTimer;
class QFileDialog;

// The main window. The handlers of every subsystem are members; their bodies
// live with their subsystem (link/, nmea/, config/, views/).
class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    SharedState& State() { return S; }
    Ui::TForm1* Controls() { return ui.get(); }

    // ---- application shell (app/TForm1.cpp)
    void FormCreate();
    void FormClose();
    // Runs f inside the error guard: an escaping error abandons the rest of f and is shown.
    template <class F>
    void Guard(F&& f);
    void ReportError(const QString& message) { errors.Report(message); }
    ErrorDisplay& Errors() { return errors; }

    VclTimer* Timer1;
    VclTimer* Timer2;
    VclTimer* Timer3;
    VclTimer* Timer4;
    VclTimer* Timer5;
    QFileDialog* SaveDialog1;

    // ---- serial link (link/TForm1Link.cpp)
    void Button1Click();
    void ClosePort();
    // The single write path to the receiver: one write of exactly these bytes.
    void WritePort(const std::string& bytes);

    // ---- reception (link/TForm1Receive.cpp)
    void Timer1Timer();
    void Timer3Timer();
    void MainPump();
    void StartupPump();
    void MainFramer(const uint8_t* bytes, int32_t count);
    void StartupFramer(const uint8_t* bytes, int32_t count);
    void LogStep(const uint8_t* bytes, int32_t count);
    void StartLogClick();
    void StopLogClick();
    // A receive tick is under way (perhaps waiting in a message box): no other tick starts meanwhile.
    bool PumpBusy = false;

    // ---- navigation status (nmea/TForm1Status.cpp)
    void DispatchSentence();
    void ResetStatus();
    void Timer2Timer();

    // ---- receiver configuration (config/TForm1Setup.cpp)
    void SendCommand(const std::string& body);
    void WriteFixed(const std::string& sentence);
    void FollowUp(const std::string& query);
    void Timer4Timer();
    // Rows 8..18 of the dispatch chain, on AnswerId/AckCommand already set; true when a row took the line.
    bool DispatchAnswer();
    void StartupDecoder();
    void hotClick();
    void warmClick();
    void coldClick();
    void btNAQueryClick();
    void btDefaultClick();
    void btConfirmClick();
    void btFixQueryClick();
    void btFixSetClick();
    void btBAUSetClick();
    void btDGQueryClick();
    void btDGPSSetClick();
    void btDaQueryClick();
    void btDatumSetClick();
    void btSBASQueryClick();
    void btSBASSetClick();
    void cbTestClick();
    void btWakeupClick();
    void btVerQueryClick();
    void btAllQueryClick();
    void btAllSetClick();
    // The port the pending follow-up query was armed for; a port closed since then is not asked again.
    QPointer<QSerialPort> FollowUpPort;

    // ---- displays (views/TForm1Views.cpp)
    void DrawSkyView();
    void UpdateChannelTable();
    void LinkLoadMeter();
    void Timer5Timer();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ConnectHandlers();
    void ApplyStartSelections();

    std::unique_ptr<Ui::TForm1> ui;
    SharedState S;
    ErrorDisplay errors;
};

template <class F>
void TForm1::Guard(F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        errors.Report(QString::fromLatin1(e.what()));
    } catch (...) {
        errors.Report(QString());
    }
}
