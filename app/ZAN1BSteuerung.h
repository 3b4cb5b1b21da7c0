// The operator program: start-up, the main loop and the end, and the
// callbacks of quitting and the info panel. The platform (the Qt view, or
// none in tests) is set up by the caller before ProgramMain.
#pragma once

inline constexpr const char* kDatum = "12/2010";

// Loads the panels, applies the settings, shows the main window and runs the
// event loop; then ends a recording and the module thread (which closes the
// port) and writes the settings. 0, or -1 when the resource names a callback
// that does not exist (said on standard error) or a panel or tab page cannot
// be loaded (nothing shown, nothing written).
int ProgramMain();

void PanelsInitialisieren(const char* version, const char* datum);

int Callback_MainAndKonfig_Panel(int panel, int event);
void Callback_Menu_Beenden(int menuItem, int panel);
void Callback_Menu_Info(int menuItem, int panel);
int Callback_Info_Button_Ok(int panel, int control, int event);
