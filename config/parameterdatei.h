// Parameter files: one Parametersatz as its 280-byte image. The file is
// written beside the target (the file a link ends in) and renamed over it only
// when complete, keeping its mode, so a failed save leaves an existing file as
// it was and no temporary file; a target that is not a regular file is refused
// as one that does not open. Loading checks every byte rule before it hands
// out the record.
#pragma once

#include <string>

#include "config/parametersatz.h"

// 0, kFehlerParameterdateiSpeichernOeffnen or kFehlerParameterdateiSchreiben.
int ParametersatzSpeichern(const std::string& pfad, const Parametersatz& satz);
// 0, kFehlerParameterdateiLadenOeffnen or a code of ParametersatzAusBytes; on
// failure *satz is untouched.
int ParametersatzLaden(const std::string& pfad, Parametersatz* satz);
