// Ways a device can misbehave on purpose, to exercise a client's error paths.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zan1sim {

enum class Fault { None, Silent, Nak, Can, Garbled, Cut, HighBit };

// "silent", "nak", "can", "garbled", "cut", "highbit"; nullopt for anything else.
std::optional<Fault> ParseFault(std::string_view kind);

// Under Nak and Can the device refuses every command, so it has no effect.
// Under the other faults the device acts and only its answer gets lost or damaged.
bool RefusesCommands(Fault fault);

// What goes on the line instead of the device's normal answer, which is empty,
// a single ACK/NAK/CAN byte, or ACK followed by an answer text "#<address>...CR".
//   Silent   nothing
//   Nak/Can  the refusal byte, whatever the command
//   Garbled  answer texts carry another address digit; single bytes become '?'
//   Cut      ACK and the first half of the answer text; single bytes vanish
//   HighBit  every byte with its top bit set
std::string ShapeAnswer(Fault fault, std::string answer);

}  // namespace zan1sim
