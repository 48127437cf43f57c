// Displays: sky view and signal chart, channel table, link load meter.
#include "app/TForm1.h"

void TForm1::DrawSkyView() {}
void TForm1::UpdateChannelTable() {}
void TForm1::LinkLoadMeter() {}
void TForm1::Timer5Timer() {}
