// Receiver configuration: command sending, answers and acknowledgements, Setup page actions.
#include "app/TForm1.h"
#include "app/VclTimer.h"

void TForm1::SendCommand(const std::string&) {}
void TForm1::WriteFixed(const std::string&) {}
void TForm1::FollowUp(const std::string&) {}
void TForm1::Timer4Timer() {}
bool TForm1::DispatchAnswer() { return false; }
void TForm1::StartupDecoder() {
    // Provisional hand-over until the settings read-back is in place.
    Timer3->setEnabled(false);
    Timer1->setEnabled(true);
}
void TForm1::hotClick() {}
void TForm1::warmClick() {}
void TForm1::coldClick() {}
void TForm1::btNAQueryClick() {}
void TForm1::btDefaultClick() {}
void TForm1::btConfirmClick() {}
void TForm1::btFixQueryClick() {}
void TForm1::btFixSetClick() {}
void TForm1::btBAUSetClick() {}
void TForm1::btDGQueryClick() {}
void TForm1::btDGPSSetClick() {}
void TForm1::btDaQueryClick() {}
void TForm1::btDatumSetClick() {}
void TForm1::btSBASQueryClick() {}
void TForm1::btSBASSetClick() {}
void TForm1::cbTestClick() {}
void TForm1::btWakeupClick() {}
void TForm1::btVerQueryClick() {}
void TForm1::btAllQueryClick() {}
void TForm1::btAllSetClick() {}
