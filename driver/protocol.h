// Control characters and limits of the ZAN-1 frame protocol.
#pragma once

#include <cstddef>

namespace vekzan1 {

inline constexpr char kStart = '#';
inline constexpr char kTerminator = '\r';
inline constexpr char kAck = 0x06;
inline constexpr char kNak = 0x15;
inline constexpr char kCan = 0x18;
inline constexpr char kStatusMark = '$';
inline constexpr char kRead = 'R';
inline constexpr char kWrite = 'W';

inline constexpr int kBroadcastAddress = 9;

// Longest answer text each read takes in, CR included.
inline constexpr std::size_t kIdentificationAnswerLimit = 29;
inline constexpr std::size_t kParameterAnswerLimit = 19;
inline constexpr std::size_t kStatusAnswerLimit = 14;
inline constexpr std::size_t kIdentificationMaxLength = kIdentificationAnswerLimit - 3;

// Line settings of the module.
inline constexpr long kBaudRate = 9600;
inline constexpr int kDataBits = 7;
inline constexpr int kStopBits = 1;
inline constexpr int kQueueSize = 512;
inline constexpr double kSecondsPerByte = 10.0 / kBaudRate;

}  // namespace vekzan1
