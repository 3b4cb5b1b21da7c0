// The program-wide panel handles, 0 until start-up has loaded the panels;
// valid from then until the process ends.
#pragma once

extern int panelHandle;
extern int aboutpanelHandle;
extern int konfigpanelHandle;
extern int tabpanelRegler1;
extern int tabpanelRegler2;
extern int konfigtabRegler1;
extern int konfigtabRegler2;
