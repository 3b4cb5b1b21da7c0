// The live actual values: the 0.1 s timer that polls both channels while a
// connection is held, and the zoom of the strip chart's value axis (in the
// user unit of channel 1). Both callbacks return 0.
#pragma once

// Module full range shown by "Zoom 1:1", in volts.
inline constexpr double kZoomVoltMin = 0.0;
inline constexpr double kZoomVoltMax = 10.0;

// On EVENT_TIMER_TICK while connected: asks the module thread for both actual
// values, unless it is still busy (the tick is skipped then, not queued).
// Back on the UI thread they are shown in the user units and plotted; a
// failed poll is shown and ends the connection, a successful one leaves the
// error display alone.
int Callback_Main_Timer(int panel, int control, int event);
// Appends one point to each of the two traces of STRIPCHART.
void IstwertePlotten(double istwert1, double istwert2);
// On EVENT_COMMIT of GRAPHZOOMMIN, GRAPHZOOMMAX or GRAPHZOOMZURUECK.
int Callback_Main_MultipleControls_Graphzoom(int panel, int control, int event);
