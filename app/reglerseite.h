// A controller page ("Regler 1" or "Regler 2") as one record of its nine
// values, in the units the page holds them in.
#pragma once

#include "config/parametersatz.h"

ReglerParameter LeseRegler(int seite);
// In the page's order: P, I, D, the limits of the manipulated variable, the
// power-on setpoint, the ramp, the mode, the switch.
void SchreibeRegler(int seite, const ReglerParameter& r);
