#include "app/modul.h"

#include <utility>

#include "platform/userint/uithread.h"

Modul::Modul() : m_thread(std::make_unique<ModulThread>()) {}

Modul::~Modul() {
    beenden();
}

void Modul::ausfuehren(Arbeit arbeit) {
    if (!m_thread) return;
    ++m_laufend;
    m_thread->auftrag([this, arbeit = std::move(arbeit)](Leitung& leitung) {
        userint::PostToUiThread([this, anzeige = arbeit(leitung)] {
            --m_laufend;
            if (anzeige) anzeige();
        });
    });
}

void Modul::beenden() {
    m_thread.reset();
    // What the thread posted refers to this window, which is going away.
    userint::DropPostedWork();
    m_laufend = 0;
}
