#include "errors/fehlertext.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "errors/VEK_errorV3.h"
#include "platform/errorname.h"
#include "platform/fileio.h"
#include "platform/rs232/tcpport.h"

namespace {

constexpr int kEnglish = 2;

// Message numbers of the serial-port steps, so a kept failure is never
// appended to a code that did not come from the port.
bool VonDerSchnittstelle(int code) {
    const int number = code / 1000;
    for (const int port : {-100, -101, -103, -111, -112, -114, -123, -124, -403, -404}) {
        if (number == port) return true;
    }
    return false;
}

std::string Systemfehler(int error, bool english) {
    const char* name = platform::ErrorName(error);
    return (english ? "system error " : "Systemfehler ") +
           (name ? std::string(name) : std::to_string(error));
}

// The reasons a serial device server gives; empty for those it shares with a tty.
std::string NetzGrund(const rs232::PortFailure& f, bool english) {
    if (f.cause.resolveError != 0) {
        return english ? "host name not resolved" : "Rechnername nicht auflösbar";
    }
    if (f.cause.gone) return english ? "connection lost" : "Verbindung getrennt";
    switch (f.cause.error) {
        case ECONNREFUSED:
            return english ? "connection refused" : "Verbindung abgelehnt";
        case ETIMEDOUT:
            return english ? "server does not answer" : "Server antwortet nicht";
        case EHOSTUNREACH:
        case ENETUNREACH:
            return english ? "server unreachable" : "Server nicht erreichbar";
        case EINVAL:
            return english ? "not of the form tcp://HOST:PORT"
                           : "nicht in der Form tcp://RECHNER:PORT";
        default:
            return {};
    }
}

std::string Grund(const rs232::PortFailure& f, bool english) {
    if (rs232::IsNetworkDevice(f.device)) {
        if (std::string grund = NetzGrund(f, english); !grund.empty()) return grund;
    }
    if (f.cause.gone) return english ? "device disconnected" : "Gerät wurde getrennt";
    switch (f.cause.error) {
        case ENOENT:
            return english ? "no such device" : "nicht vorhanden";
        case EISDIR:
            return english ? "is a directory" : "ist ein Verzeichnis";
        case ENOTTY:
            return english ? "not a serial port" : "keine serielle Schnittstelle";
        case EBUSY:
            return english ? "in use by another program" : "von einem anderen Programm belegt";
        case EIO:
        case ENXIO:
        case ENODEV:
            return english ? "no hardware behind it" : "keine Hardware dahinter";
        case EINVAL:
            return english ? "line settings not supported" : "Leitungseinstellungen nicht möglich";
        case EACCES:
        case EPERM:
            if (f.group.empty()) return english ? "permission denied" : "keine Berechtigung";
            return english ? "permission denied; join the group " + f.group + " and log in again"
                           : "keine Berechtigung; treten Sie der Gruppe " + f.group +
                                 " bei und melden Sie sich neu an";
        default:
            return Systemfehler(f.cause.error, english);
    }
}

std::string DateiGrund(int error, bool english) {
    if (platform::IsDiskFull(error)) return english ? "disk full" : "Datenträger voll";
    switch (error) {
        case ENOENT:
            return english ? "no such folder" : "Ordner nicht vorhanden";
        case EACCES:
        case EPERM:
            return english ? "permission denied" : "keine Berechtigung";
        case EISDIR:
            return english ? "is a directory" : "ist ein Verzeichnis";
        case EROFS:
            return english ? "read-only file system" : "Datenträger schreibgeschützt";
        default:
            return Systemfehler(error, english);
    }
}

// What follows the catalogue's text for the result's reason.
struct Zusatz {
    bool english;
    int code;
    std::string operator()(std::monostate) const { return {}; }
    std::string operator()(const rs232::PortFailure& f) const {
        if (f.device.empty() || !VonDerSchnittstelle(code)) return {};
        return " (" + f.device + ": " + Grund(f, english) + ")";
    }
    std::string operator()(const FileReason& f) const {
        return " (" + f.path + ": " + DateiGrund(f.error, english) + ")";
    }
    std::string operator()(const SystemReason& s) const {
        return s.error == 0 ? std::string() : ": " + std::string(std::strerror(s.error));
    }
};

}  // namespace

std::string Fehlertext(const Result& result) {
    const bool english = VEK_FehlerspracheLesen() == kEnglish;
    std::string text = VEK_Fehlermeldung(result.code);
    return text + std::visit(Zusatz{english, result.code}, result.reason);
}
