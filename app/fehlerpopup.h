// The error popups: a modal box with the result's error text, titled
// "Fehler #<-code>" ("Error #..." in English); each returns once acknowledged.
// Codes -6999..-6000 show nothing.
#pragma once

#include "errors/result.h"

void VEK_Fehlerpopup(const Result& result);
// The same with the caller's title (not translated) followed by " #<-code>".
void VEK_Fehlerpopup2(const Result& result, const char* title);
