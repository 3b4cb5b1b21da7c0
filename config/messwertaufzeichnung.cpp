#include "config/messwertaufzeichnung.h"

#include <fcntl.h>

#include <cerrno>
#include <utility>

#include "config/ZAN1Func.h"
#include "platform/csvtext.h"
#include "platform/fileio.h"
#include "platform/isotime.h"

namespace {

// Twice a second, so that every row older than a second is on the disk.
constexpr std::chrono::milliseconds kSchreibIntervall{500};
constexpr int kSekundenStellen = 3;

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

std::unique_ptr<Messwertaufzeichnung> Messwertaufzeichnung::starten(const std::string& pfad,
                                                                    const Konfigstruktur& konfig1,
                                                                    const Konfigstruktur& konfig2,
                                                                    int* fehler) {
    platform::UniqueFd datei;
    *fehler = Oeffnen(pfad, &datei);
    if (*fehler != 0) return nullptr;
    return std::unique_ptr<Messwertaufzeichnung>(
        new Messwertaufzeichnung(std::move(datei), konfig1, konfig2));
}

Messwertaufzeichnung::Messwertaufzeichnung(platform::UniqueFd datei, const Konfigstruktur& konfig1,
                                           const Konfigstruktur& konfig2)
    : m_datei(std::move(datei), kSchreibIntervall),
      m_spalte1(spalteAus(konfig1)),
      m_spalte2(spalteAus(konfig2)) {
    std::string kopf = "Zeit,t_s";
    spaltenkopf(kopf, "Istwert1", m_spalte1);
    spaltenkopf(kopf, "Istwert2", m_spalte2);
    kopf += platform::kCsvLineEnd;
    m_datei.append(kopf);
}

Messwertaufzeichnung::Spalte Messwertaufzeichnung::spalteAus(const Konfigstruktur& konfig) {
    return {konfig, Bereich(konfig).praezision};
}

void Messwertaufzeichnung::spaltenkopf(std::string& out, const char* name, const Spalte& spalte) {
    out += ',';
    platform::AppendCsvField(out,
                             std::string(name) + " [" + std::string(Einheit(spalte.konfig)) + "]");
}

void Messwertaufzeichnung::spaltenwert(std::string& out, double volt, const Spalte& spalte) {
    out += ',';
    platform::AppendFixed(out, Umrechnen_VoltZuBenutzereinheit(volt, spalte.konfig),
                          spalte.praezision);
}

int Messwertaufzeichnung::eintragen(double volt1, double volt2, const platform::Timestamp& zeit,
                                    int* fehler) {
    *fehler = m_datei.failure();
    if (*fehler != 0) return kFehlerAufzeichnungSchreiben;
    m_zeile.clear();
    platform::AppendIsoLocalTime(m_zeile, zeit.wall);
    m_zeile += ',';
    platform::AppendFixed(m_zeile, std::chrono::duration<double>(zeit.steady - m_start).count(),
                          kSekundenStellen);
    spaltenwert(m_zeile, volt1, m_spalte1);
    spaltenwert(m_zeile, volt2, m_spalte2);
    m_zeile += platform::kCsvLineEnd;
    m_datei.append(m_zeile);
    return 0;
}

int Messwertaufzeichnung::beenden(int* fehler) {
    *fehler = m_datei.close();
    return *fehler == 0 ? 0 : kFehlerAufzeichnungAbschluss;
}
