#include "config/parameterdatei.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "platform/atomicfile.h"
#include "platform/fileio.h"
#include "platform/uniquefd.h"

namespace {

// Up to buffer.size() bytes; fewer only at the end of the file or on an error.
std::size_t Lesen(int fd, std::span<std::byte> puffer) {
    std::size_t gelesen = 0;
    while (gelesen < puffer.size()) {
        const ssize_t n = ::read(fd, puffer.data() + gelesen, puffer.size() - gelesen);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        gelesen += static_cast<std::size_t>(n);
    }
    return gelesen;
}

}  // namespace

int ParametersatzSpeichern(const std::string& pfad, const Parametersatz& satz) {
    const std::array<std::byte, kParametersatzGroesse> bytes = ParametersatzZuBytes(satz);
    const platform::ReplaceResult ergebnis = platform::ReplaceFile(
        pfad, O_WRONLY, platform::RandomTempName,
        [&bytes](int fd) { return platform::WriteAll(fd, bytes.data(), bytes.size()); });
    if (ergebnis.step == platform::ReplaceStep::kDone) return 0;
    // Everything before the first byte counts as opening the file.
    return ergebnis.step < platform::ReplaceStep::kWrite ? kFehlerParameterdateiSpeichernOeffnen
                                                         : kFehlerParameterdateiSchreiben;
}

int ParametersatzLaden(const std::string& pfad, Parametersatz* satz) {
    std::array<std::byte, kParametersatzGroesse> bytes{};
    std::size_t gelesen = 0;
    {
        platform::UniqueFd datei(platform::OpenFile(pfad, O_RDONLY));
        if (datei.get() < 0) return kFehlerParameterdateiLadenOeffnen;
        // Bytes beyond the record are never read.
        gelesen = Lesen(datei.get(), bytes);
    }
    return ParametersatzAusBytes(std::span(bytes.data(), gelesen), satz);
}
