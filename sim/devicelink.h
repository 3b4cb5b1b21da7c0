// A symbolic link to the simulator's terminal, removed again when this object
// goes. A stale symbolic link at the path is replaced; any other file is left
// alone and makes Create fail.
#pragma once

#include <optional>
#include <string>

namespace zan1sim {

class DeviceLink {
  public:
    static std::optional<DeviceLink> create(const std::string& target, const std::string& path,
                                            std::string* error);
    DeviceLink(DeviceLink&& other) noexcept;
    DeviceLink& operator=(DeviceLink&&) = delete;
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;
    ~DeviceLink();

  private:
    DeviceLink(std::string target, std::string path);

    std::string m_target;
    std::string m_path;  // empty once moved from
};

}  // namespace zan1sim
