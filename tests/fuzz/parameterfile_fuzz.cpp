// Feeds arbitrary bytes to the parameter-file checks. A file that passes must
// give a record the program can use, and its image must pass again.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "config/ZAN1Func.h"
#include "config/parametersatz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Parametersatz satz{};
    if (ParametersatzAusBytes(std::span(reinterpret_cast<const std::byte*>(data), size), &satz)) {
        return 0;
    }
    for (const Konfigstruktur& k : {satz.konfig1, satz.konfig2}) {
        if (!SkalierungBrauchbar(k) || std::memchr(k.einheit, '\0', sizeof k.einheit) == nullptr ||
            Einheit(k).size() > kEinheitMaxBytes) {
            __builtin_trap();
        }
    }
    Parametersatz wieder{};
    if (ParametersatzAusBytes(ParametersatzZuBytes(satz), &wieder) != 0 ||
        wieder.zoommin != satz.zoommin ||
        std::memcmp(&wieder.regler1, &satz.regler1, offsetof(ReglerParameter, frei)) != 0) {
        __builtin_trap();
    }
    return 0;
}
