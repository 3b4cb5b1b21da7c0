// Names of the user-interface resource "ZAN1Steuerung": panel resource ids,
// control ids (per panel, from 2), and menu-bar ids (unique within the bar).
// The controls of the two controller pages and of the two configuration
// pages share one set of ids each.
#pragma once

inline constexpr const char* kResourceName = "ZAN1Steuerung";

// Panels
inline constexpr int PANEL = 1;
inline constexpr int ABOUTPANEL = 2;
inline constexpr int KONFIGPNL = 3;
inline constexpr int TABPANEL1 = 4;
inline constexpr int TABPANEL2 = 5;
inline constexpr int TABKONFIG1 = 6;
inline constexpr int TABKONFIG2 = 7;

// Main window
inline constexpr int PANEL_TAB = 2;
inline constexpr int PANEL_LESEN = 3;
inline constexpr int PANEL_SCHREIBEN = 4;
inline constexpr int PANEL_VERBINDEN = 5;
inline constexpr int PANEL_STELLWERT1 = 6;
inline constexpr int PANEL_STELLWERT2 = 7;
inline constexpr int PANEL_SOLLWERT1 = 8;
inline constexpr int PANEL_SOLLWERT2 = 9;
inline constexpr int PANEL_ISTWERT1 = 10;
inline constexpr int PANEL_ISTWERT2 = 11;
inline constexpr int PANEL_TEXTMSG_4 = 12;
inline constexpr int PANEL_GRAPHZOOMMIN = 13;
inline constexpr int PANEL_GRAPHZOOMMAX = 14;
inline constexpr int PANEL_GRAPHZOOMZURUECK = 15;
inline constexpr int PANEL_ADRESSE = 16;
inline constexpr int PANEL_PORT = 17;
inline constexpr int PANEL_SCANN = 18;
inline constexpr int PANEL_IDLESEN = 19;
inline constexpr int PANEL_TEXTMSG = 20;
inline constexpr int PANEL_TEXTMSG_3 = 21;
inline constexpr int PANEL_LED1 = 22;
inline constexpr int PANEL_LED2 = 23;
inline constexpr int PANEL_LED3 = 24;
inline constexpr int PANEL_LED4 = 25;
inline constexpr int PANEL_LED5 = 26;
inline constexpr int PANEL_LED6 = 27;
inline constexpr int PANEL_LED7 = 28;
inline constexpr int PANEL_LED8 = 29;
inline constexpr int PANEL_FEHLERLED = 30;
inline constexpr int PANEL_FEHLERSTRING = 31;
inline constexpr int PANEL_FEHLERNUMMER = 32;
inline constexpr int PANEL_TEXTMSG_2 = 33;
inline constexpr int PANEL_TIMER = 34;
inline constexpr int PANEL_TEXT = 35;
inline constexpr int PANEL_IDSTRING = 36;
inline constexpr int PANEL_STELLWERTEINHEIT2 = 37;
inline constexpr int PANEL_ISTWERTEINHEIT2 = 38;
inline constexpr int PANEL_SOLLWERTEINHEIT2 = 39;
inline constexpr int PANEL_DECORATION = 40;
inline constexpr int PANEL_DECORATION_2 = 41;
inline constexpr int PANEL_DECORATION_3 = 42;
inline constexpr int PANEL_STELLWERTEINHEIT1 = 43;
inline constexpr int PANEL_ISTWERTEINHEIT1 = 44;
inline constexpr int PANEL_SOLLWERTEINHEIT1 = 45;
inline constexpr int PANEL_STRIPCHART = 46;
inline constexpr int PANEL_ZOOMMINEINHEIT = 47;
inline constexpr int PANEL_ZOOMMAXEINHEIT = 48;

// Controller pages "Regler 1" and "Regler 2" of the main window
inline constexpr int TABPANEL_PANTEIL = 2;
inline constexpr int TABPANEL_IANTEIL = 3;
inline constexpr int TABPANEL_DANTEIL = 4;
inline constexpr int TABPANEL_STELLMIN = 5;
inline constexpr int TABPANEL_STELLMAX = 6;
inline constexpr int TABPANEL_ANFANGSSOLLWERT_ = 7;
inline constexpr int TABPANEL_ANSTIEGSZEIT = 8;
inline constexpr int TABPANEL_ANFANGSSOLLWERTEINHEI = 9;
inline constexpr int TABPANEL_BETRIEBSART = 10;
inline constexpr int TABPANEL_ANSTEIGSZEITEINHEIT = 11;
inline constexpr int TABPANEL_MODUSISTWERTNULL = 12;
inline constexpr int TABPANEL_TEXTMSG = 13;

// Info panel
inline constexpr int ABOUTPANEL_TEXTMSG = 2;
inline constexpr int ABOUTPANEL_VERSION = 3;
inline constexpr int ABOUTPANEL_DATUM = 4;
inline constexpr int ABOUTPANEL_TEXTMSG_4 = 5;
inline constexpr int ABOUTPANEL_TEXTMSG_5 = 6;
inline constexpr int ABOUTPANEL_OK = 7;
inline constexpr int ABOUTPANEL_PICTURE = 8;

// Configuration panel
inline constexpr int KONFIGPNL_TEXTMSG = 2;
inline constexpr int KONFIGPNL_AUFSTANDARDWERTE = 3;
inline constexpr int KONFIGPNL_ABBRUCH = 4;
inline constexpr int KONFIGPNL_OK = 5;
inline constexpr int KONFIGPNL_TAB = 6;

// Configuration pages "Regler 1" and "Regler 2"
inline constexpr int TABKONFIG_SKALMIN_VOLT = 2;
inline constexpr int TABKONFIG_SKALMAX_VOLT = 3;
inline constexpr int TABKONFIG_TEXTMSG_2 = 4;
inline constexpr int TABKONFIG_SKALMIN_UMGERECHNET = 5;
inline constexpr int TABKONFIG_SKAL_EINHEIT = 6;
inline constexpr int TABKONFIG_SKALMAX_UMGERECHNET = 7;

// Menu bar of the main window
inline constexpr int MENUBAR_DATEI = 1;
inline constexpr int MENUBAR_DATEI_PARAMETE = 2;
inline constexpr int MENUBAR_DATEI_PARAMETE_2 = 3;
inline constexpr int MENUBAR_DATEI_SEPARATOR = 4;
inline constexpr int MENUBAR_DATEI_BEENDEN = 5;
inline constexpr int MENUBAR_KONFIG = 6;
inline constexpr int MENUBAR_KONFIG_SKALIERUNG = 7;
inline constexpr int MENUBAR_MENU = 8;
inline constexpr int MENUBAR_MENU_BER = 9;
inline constexpr int MENUBAR_DATEI_SEPARATOR_2 = 10;
inline constexpr int MENUBAR_DATEI_MESSWERTE = 11;
inline constexpr int MENUBAR_DATEI_DIAGRAMM = 12;
inline constexpr int MENUBAR_MENU_VERKEHR = 20;
