// The error popup: a modal box with the result's error text, titled
// "Fehler #<-code>" ("Error #..." in English); returns once acknowledged.
// Codes -6999..-6000 show nothing.
#pragma once

#include "errors/result.h"

void VEK_Fehlerpopup(const Result& result);
