// Feeds arbitrary bytes to the parameter-file checks. A file that passes must
// give records the program can use, and saving them must give a file that
// loads to the same numbers.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "config/ZAN1Func.h"
#include "config/parametersatz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Parametersatz satz{}, wieder{};
    if (ParametersatzAusBytes(std::span(reinterpret_cast<const std::byte*>(data), size), &satz)) {
        return 0;
    }
    for (const Konfigstruktur& k : {satz.konfig1, satz.konfig2}) {
        if (!SkalierungBrauchbar(k) || Einheit(k).size() > kEinheitMaxBytes) __builtin_trap();
    }
    if (ParametersatzAusBytes(ParametersatzZuBytes(satz), &wieder) != 0 ||
        wieder.zoommax != satz.zoommax ||
        std::memcmp(&wieder.regler2, &satz.regler2, offsetof(ReglerParameter, frei)) != 0) {
        __builtin_trap();
    }
    return 0;
}
