// Feeds arbitrary bytes to the parameter-file checks. A file that passes must
// give a record the program can use, and its image must pass again.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "config/ZAN1Func.h"
#include "config/parametersatz.h"

namespace {

bool Bekannt(int code) {
    switch (code) {
        case kFehlerParameterdateiKopfLesen:
        case kFehlerParameterdateiTyp:
        case kFehlerParameterdateiVersion:
        case kFehlerParameterdateiLesen:
        case kFehlerParameterdateiInhalt:
            return true;
        default:
            return false;
    }
}

bool EinheitGueltig(const Konfigstruktur& k) {
    return std::memchr(k.einheit, '\0', sizeof k.einheit) != nullptr && Einheit(k).size() <= 5;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Parametersatz satz{};
    const int code =
        ParametersatzAusBytes(std::span(reinterpret_cast<const std::byte*>(data), size), &satz);
    if (code != 0) {
        if (!Bekannt(code)) __builtin_trap();
        return 0;
    }
    if (!SkalierungBrauchbar(satz.konfig1) || !SkalierungBrauchbar(satz.konfig2) ||
        !EinheitGueltig(satz.konfig1) || !EinheitGueltig(satz.konfig2)) {
        __builtin_trap();
    }
    const auto bytes = ParametersatzZuBytes(satz);
    Parametersatz wieder{};
    if (ParametersatzAusBytes(bytes, &wieder) != 0 || wieder.zoommin != satz.zoommin ||
        std::memcmp(&wieder.regler1, &satz.regler1, offsetof(ReglerParameter, frei)) != 0) {
        __builtin_trap();
    }
    return 0;
}
