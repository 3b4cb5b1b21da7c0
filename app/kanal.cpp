#include "app/kanal.h"

#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"

Kanal KanalNr(int nummer) {
    if (nummer == 1) {
        return {1,
                tabpanelRegler1,
                konfigtabRegler1,
                PANEL_SOLLWERT1,
                PANEL_STELLWERT1,
                PANEL_ISTWERT1,
                PANEL_SOLLWERTEINHEIT1,
                PANEL_ISTWERTEINHEIT1};
    }
    return {2,
            tabpanelRegler2,
            konfigtabRegler2,
            PANEL_SOLLWERT2,
            PANEL_STELLWERT2,
            PANEL_ISTWERT2,
            PANEL_SOLLWERTEINHEIT2,
            PANEL_ISTWERTEINHEIT2};
}
