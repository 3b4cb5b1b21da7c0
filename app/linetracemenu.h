// "?" -> "Verkehr protokollieren...": traces every byte on the line into a
// *.log file chosen in the save dialog until the item, then named "Protokoll
// beenden", is chosen again. A file that cannot be opened or written is shown
// in the error display; other errors shown there stay.
#pragma once

void Callback_Menu_Verkehr(int menuItem, int panel);
// For the timer: a trace that a failed write ended is shown and the item
// named for a new start, without waiting for the operator.
void LineTracePruefen();
