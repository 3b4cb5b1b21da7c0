// The reason of a file failure, an errno, added to the text of the next error
// shown (popup or error display) as ": <reason>"; 0 adds nothing.
#pragma once

void FehlergrundAnhaengen(int grund);
