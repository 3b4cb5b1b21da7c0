#include "sim/framer.h"

#include "driver/protocol.h"

namespace zan1sim {

std::vector<ReceivedFrame> FrameAssembler::feed(std::string_view bytes, SimTime arrival) {
    std::vector<ReceivedFrame> frames;
    for (char c : bytes) {
        if (c == vekzan1::kStart) {
            m_partial.assign(1, c);
            m_inFrame = true;
            m_firstByte = arrival;
        } else if (!m_inFrame) {
            continue;
        } else if (c == vekzan1::kTerminator) {
            m_partial.push_back(c);
            frames.push_back({std::move(m_partial), m_firstByte});
            m_partial.clear();
            m_inFrame = false;
        } else if (m_partial.size() == kMaxFrameLength) {
            m_partial.clear();
            m_inFrame = false;
        } else {
            m_partial.push_back(c);
        }
    }
    return frames;
}

}  // namespace zan1sim
