// Cuts the received byte stream into command frames. A frame starts at '#' and
// ends with CR (kept in the frame). Bytes outside a frame are ignored, a '#'
// inside a frame starts it anew, and a frame that reaches more than
// kMaxFrameLength bytes without its CR is dropped.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "sim/simtime.h"

namespace zan1sim {

struct ReceivedFrame {
    std::string text;
    SimTime firstByte;  // arrival of the chunk that held its '#'
};

class FrameAssembler {
  public:
    static constexpr std::size_t kMaxFrameLength = 32;

    // Takes the next chunk of received bytes, all of which arrived at `arrival`,
    // and returns the frames it completes, oldest first.
    std::vector<ReceivedFrame> feed(std::string_view bytes, SimTime arrival);

  private:
    std::string m_partial;
    bool m_inFrame = false;
    SimTime m_firstByte{};
};

}  // namespace zan1sim
