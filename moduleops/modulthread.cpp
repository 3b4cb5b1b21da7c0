#include "moduleops/modulthread.h"

#include <utility>

ModulThread::ModulThread() : m_thread([this](std::stop_token stop) { run(stop); }) {}

ModulThread::~ModulThread() = default;

void ModulThread::auftrag(Auftrag auftrag) {
    {
        const std::lock_guard lock(m_mutex);
        m_auftraege.push_back(std::move(auftrag));
    }
    m_wake.notify_one();
}

void ModulThread::run(std::stop_token stop) {
    for (;;) {
        Auftrag naechster;
        {
            std::unique_lock lock(m_mutex);
            if (!m_wake.wait(lock, stop, [this] { return !m_auftraege.empty(); })) return;
            naechster = std::move(m_auftraege.front());
            m_auftraege.pop_front();
        }
        naechster(m_leitung);
    }
}
