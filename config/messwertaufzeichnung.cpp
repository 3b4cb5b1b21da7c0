#include "config/messwertaufzeichnung.h"

#include <fcntl.h>

#include <cerrno>
#include <chrono>
#include <memory>
#include <string_view>
#include <utility>

#include "config/ZAN1Func.h"
#include "config/konfigstruktur.h"
#include "platform/csvtext.h"
#include "platform/fileio.h"
#include "platform/flushingwriter.h"
#include "platform/isotime.h"
#include "platform/uniquefd.h"

namespace {

using Clock = std::chrono::steady_clock;

// Twice a second, so that every row older than a second is on the disk.
constexpr std::chrono::milliseconds kSchreibIntervall{500};
constexpr int kSekundenStellen = 3;
constexpr double kVoltMin = 0.0;
constexpr double kVoltMax = 10.0;

struct Kanal {
    Konfigstruktur konfig;
    int praezision;
};

Kanal KanalAus(const Konfigstruktur& konfig) {
    return {konfig, Kanalpraezision(Umrechnen_VoltZuBenutzereinheit(kVoltMax, konfig) -
                                    Umrechnen_VoltZuBenutzereinheit(kVoltMin, konfig))};
}

struct Aufzeichnung {
    explicit Aufzeichnung(platform::UniqueFd file) : datei(std::move(file), kSchreibIntervall) {}

    platform::FlushingWriter datei;
    Kanal kanal1 = KanalAus(gKonfig1);
    Kanal kanal2 = KanalAus(gKonfig2);
    Clock::time_point start = Clock::now();
    std::string zeile;  // reused, so a row allocates nothing
};

std::unique_ptr<Aufzeichnung> gAufzeichnung;

void Spaltenkopf(std::string& out, std::string_view name, const Kanal& kanal) {
    out += ',';
    platform::AppendCsvField(out,
                             std::string(name) + " [" + std::string(Einheit(kanal.konfig)) + "]");
}

void Wert(std::string& out, double volt, const Kanal& kanal) {
    out += ',';
    platform::AppendFixed(out, Umrechnen_VoltZuBenutzereinheit(volt, kanal.konfig),
                          kanal.praezision);
}

// 0 or errno. Opening a FIFO without a reader would block the window; it
// fails instead. The folder is synced, so that a new file's name survives a
// power cut too.
int Oeffnen(const std::string& pfad, platform::UniqueFd* datei) {
    datei->reset(platform::OpenFileNoWait(pfad, O_WRONLY | O_CREAT | O_TRUNC));
    if (!datei->valid()) return errno;
    const std::size_t ende = pfad.rfind('/');
    return platform::SyncFolder(ende == std::string::npos ? "" : pfad.substr(0, ende + 1));
}

}  // namespace

int AufzeichnungStarten(const std::string& pfad, int* grund) {
    platform::UniqueFd datei;
    *grund = Oeffnen(pfad, &datei);
    if (*grund != 0) return kFehlerAufzeichnungOeffnen;
    gAufzeichnung = std::make_unique<Aufzeichnung>(std::move(datei));
    std::string kopf = "Zeit,t_s";
    Spaltenkopf(kopf, "Istwert1", gAufzeichnung->kanal1);
    Spaltenkopf(kopf, "Istwert2", gAufzeichnung->kanal2);
    kopf += platform::kCsvLineEnd;
    gAufzeichnung->datei.append(kopf);
    return 0;
}

bool AufzeichnungLaeuft() {
    return gAufzeichnung != nullptr;
}

int AufzeichnungEintragen(double volt1, double volt2, int* grund) {
    *grund = 0;
    if (!gAufzeichnung) return 0;
    Aufzeichnung& a = *gAufzeichnung;
    if (const int fehler = a.datei.failure(); fehler != 0) {
        gAufzeichnung.reset();
        *grund = fehler;
        return kFehlerAufzeichnungSchreiben;
    }
    a.zeile.clear();
    platform::AppendIsoLocalTime(a.zeile, std::chrono::system_clock::now());
    a.zeile += ',';
    platform::AppendFixed(a.zeile, std::chrono::duration<double>(Clock::now() - a.start).count(),
                          kSekundenStellen);
    Wert(a.zeile, volt1, a.kanal1);
    Wert(a.zeile, volt2, a.kanal2);
    a.zeile += platform::kCsvLineEnd;
    a.datei.append(a.zeile);
    return 0;
}

int AufzeichnungBeenden(int* grund) {
    *grund = 0;
    if (!gAufzeichnung) return 0;
    *grund = gAufzeichnung->datei.close();
    gAufzeichnung.reset();
    return *grund == 0 ? 0 : kFehlerAufzeichnungAbschluss;
}
