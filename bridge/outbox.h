// Where the lines' messages go: the broker link, or whatever a benchmark
// puts in between. Called from the lines' threads at once.
#pragma once

#include <string>

namespace bridge {

class Outbox {
  public:
    virtual ~Outbox() = default;
    virtual void publish(const std::string& topic, const std::string& payload, bool retained) = 0;
};

}  // namespace bridge
