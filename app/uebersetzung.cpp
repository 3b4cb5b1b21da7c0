#include "app/uebersetzung.h"

#include "platform/userint/view.h"

std::string Fenster::tr(const char* text) {
    return userint::Translate(text);
}

std::string Einsetzen(std::string text, std::initializer_list<std::string> werte) {
    int nummer = 1;
    for (const std::string& wert : werte) {
        std::string marke = "%";
        marke += std::to_string(nummer++);
        if (const std::size_t an = text.find(marke); an != std::string::npos)
            text.replace(an, marke.size(), wert);
    }
    return text;
}
