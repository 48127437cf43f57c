// Reception: the two receive pumps, their framers and the raw log.
#include "app/TForm1.h"

void TForm1::Timer1Timer() {}
void TForm1::Timer3Timer() {}
void TForm1::MainPump() {}
void TForm1::StartupPump() {}
void TForm1::MainFramer(const uint8_t*, int32_t) {}
void TForm1::StartupFramer(const uint8_t*, int32_t) {}
void TForm1::LogStep(const uint8_t*, int32_t) {}
void TForm1::StartLogClick() {}
void TForm1::StopLogClick() {}
