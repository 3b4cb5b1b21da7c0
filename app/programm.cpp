#include "app/programm.h"

#include <cassert>

namespace {

Programm* gLaufend = nullptr;

}  // namespace

Programm::Programm() {
    assert(!gLaufend);
    gLaufend = this;
}

Programm::~Programm() {
    if (scan) scan->request_stop();
    modul.beenden();
    gLaufend = nullptr;
}

Programm& LaufendesProgramm() {
    assert(gLaufend);
    return *gLaufend;
}
