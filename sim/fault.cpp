#include "sim/fault.h"

#include <array>
#include <utility>

#include "driver/protocol.h"

namespace zan1sim {

std::optional<Fault> ParseFault(std::string_view kind) {
    static constexpr std::array<std::pair<std::string_view, Fault>, 6> kNames{{
        {"silent", Fault::Silent},
        {"nak", Fault::Nak},
        {"can", Fault::Can},
        {"garbled", Fault::Garbled},
        {"cut", Fault::Cut},
        {"highbit", Fault::HighBit},
    }};
    for (const auto& [name, fault] : kNames) {
        if (name == kind) {
            return fault;
        }
    }
    return std::nullopt;
}

bool RefusesCommands(Fault fault) {
    return fault == Fault::Nak || fault == Fault::Can;
}

std::string ShapeAnswer(Fault fault, std::string answer) {
    const bool hasText = answer.size() > 1;
    switch (fault) {
        case Fault::None:
            return answer;
        case Fault::Silent:
            return {};
        case Fault::Nak:
            return std::string(1, vekzan1::kNak);
        case Fault::Can:
            return std::string(1, vekzan1::kCan);
        case Fault::Garbled:
            if (!hasText) {
                return answer.empty() ? answer : "?";
            }
            // answer[2] is the address digit after ACK and '#'.
            answer[2] = answer[2] == '8' ? '1' : static_cast<char>(answer[2] + 1);
            return answer;
        case Fault::Cut:
            if (!hasText) {
                return {};
            }
            return answer.substr(0, 1 + (answer.size() - 1) / 2);
        case Fault::HighBit:
            for (char& c : answer) {
                c = static_cast<char>(static_cast<unsigned char>(c) | 0x80);
            }
            return answer;
    }
    return answer;
}

}  // namespace zan1sim
