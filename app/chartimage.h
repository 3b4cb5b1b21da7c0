// "Datei" → "Diagramm speichern...": the strip chart as the window shows it,
// axis names and units included, saved as a PNG file chosen in a save dialog.
// Failures are shown in the error popup, a file's with its reason.
#pragma once

// The view cannot draw the chart into an image (a view without a display).
inline constexpr int kFehlerDiagrammBild = -327124;
inline constexpr int kFehlerDiagrammOeffnen = -308125;
inline constexpr int kFehlerDiagrammSchreiben = -301126;

void Callback_Menu_Diagramm(int menuItem, int panel);
