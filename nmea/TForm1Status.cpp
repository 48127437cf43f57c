// Navigation status: the dispatch chain, the status reset and the time-to-fix counter.
#include "app/TForm1.h"

void TForm1::DispatchSentence() {}
void TForm1::ResetStatus() {}
void TForm1::Timer2Timer() {}
