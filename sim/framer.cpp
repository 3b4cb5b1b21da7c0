#include "sim/framer.h"

#include "driver/protocol.h"

namespace zan1sim {

std::vector<ReceivedFrame> FrameAssembler::Feed(std::string_view bytes, SimTime arrival) {
    std::vector<ReceivedFrame> frames;
    for (char c : bytes) {
        if (c == vekzan1::kStart) {
            partial_.assign(1, c);
            inFrame_ = true;
            firstByte_ = arrival;
        } else if (!inFrame_) {
            continue;
        } else if (c == vekzan1::kTerminator) {
            partial_.push_back(c);
            frames.push_back({std::move(partial_), firstByte_});
            partial_.clear();
            inFrame_ = false;
        } else if (partial_.size() == kMaxFrameLength) {
            partial_.clear();
            inFrame_ = false;
        } else {
            partial_.push_back(c);
        }
    }
    return frames;
}

}  // namespace zan1sim
