#include "panel/panelhandles.h"

int panelHandle = 0;
int aboutpanelHandle = 0;
int konfigpanelHandle = 0;
int tabpanelRegler1 = 0;
int tabpanelRegler2 = 0;
int konfigtabRegler1 = 0;
int konfigtabRegler2 = 0;
