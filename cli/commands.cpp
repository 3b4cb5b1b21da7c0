#include "cli/commands.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <ostream>
#include <utility>

#include "driver/parametermap.h"
#include "driver/vekzan1.h"
#include "moduleops/ZAN1Com.h"
#include "moduleops/ueberwachung.h"

namespace zan1ctl {

std::string NumberText(double value) {
    if (value == 0) value = 0;  // no "-0"
    std::array<char, 400> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                         std::chars_format::fixed);
    return std::string(buffer.data(), ec == std::errc{} ? end : buffer.data());
}

std::string ParameterNames(bool writable) {
    std::string names;
    for (const vekzan1::Parameter& p : vekzan1::ParameterMap()) {
        if (writable && !vekzan1::IsWritable(p)) continue;
        names += (names.empty() ? "" : ", ") + std::string(p.name);
    }
    return names;
}

Result Scan(Leitung& leitung, const Ziel& ziel, std::stop_token halt, std::ostream& out) {
    return ZAN1Scann(leitung, ziel.port, std::move(halt), [&out](const ScanMeldung& m) {
        if (m.art != ScanMeldung::Art::Ergebnis) return;
        out << m.adresse << ' ' << (m.result.ok() ? m.id : "-") << '\n' << std::flush;
    });
}

Result Identify(Leitung& leitung, const Ziel& ziel, std::ostream& out) {
    const Identifikation id = IDLesen(leitung, ziel);
    if (id.result.ok()) out << id.text << '\n';
    return id.result;
}

Result Get(Leitung& leitung, const Ziel& ziel, const std::vector<std::string>& names,
           std::ostream& out) {
    for (const std::string& name : names) {
        double value = 0;
        const int code =
            VEKZAN1_ParameterLesen(leitung.gehalten(), ziel.adresse, name.c_str(), &value);
        if (code != 0) return MitPortgrund(code);
        out << name << '=' << NumberText(value) << '\n';
    }
    return 0;
}

Result Set(Leitung& leitung, const Ziel& ziel, const std::vector<Assignment>& assignments) {
    for (const Assignment& assignment : assignments) {
        const int code = VEKZAN1_ParameterSchreiben(leitung.gehalten(), ziel.adresse,
                                                    assignment.name.c_str(), assignment.value);
        if (code != 0) return MitPortgrund(code);
    }
    return 0;
}

Result Status(Leitung& leitung, const Ziel& ziel, std::ostream& out) {
    int status = 0;
    const int code = VEKZAN1_StatusLesen(leitung.gehalten(), ziel.adresse, &status);
    if (code != 0) return MitPortgrund(code);
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%d (0x%02X)", status, status);
    out << text.data() << '\n';
    return 0;
}

Result Monitor(Leitung& leitung, const Ziel& ziel, double intervalSeconds, long count,
               std::stop_token halt, std::ostream& out) {
    const vekzan1::Parameter& istwert1 = *vekzan1::FindParameter("istwert1");
    const vekzan1::Parameter& istwert2 = *vekzan1::FindParameter("istwert2");
    out << "t_s,istwert1_V,istwert2_V\n" << std::flush;
    return IstwerteUeberwachen(leitung, ziel, std::chrono::duration<double>(intervalSeconds), count,
                               std::move(halt), [&](const Messung& m) {
                                   std::array<char, 32> time{};
                                   std::snprintf(time.data(), time.size(), "%.3f", m.sekunden);
                                   out << time.data() << ','
                                       << vekzan1::FormatAnswer(istwert1, m.volt1) << ','
                                       << vekzan1::FormatAnswer(istwert2, m.volt2) << '\n'
                                       << std::flush;
                               });
}

}  // namespace zan1ctl
