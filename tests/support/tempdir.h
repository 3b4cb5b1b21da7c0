// A fresh, empty current directory for the life of one test: the settings and
// port-map files land there, and the previous directory is restored after.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace testsupport {

class TemporaryCurrentDirectory {
  public:
    TemporaryCurrentDirectory() : m_previous(std::filesystem::current_path()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "zan1test.XXXXXX").string();
        if (mkdtemp(pattern.data())) {
            m_path = pattern;
            std::filesystem::current_path(m_path);
        }
    }
    ~TemporaryCurrentDirectory() {
        std::error_code ignored;
        std::filesystem::current_path(m_previous, ignored);
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
    }
    TemporaryCurrentDirectory(const TemporaryCurrentDirectory&) = delete;
    TemporaryCurrentDirectory& operator=(const TemporaryCurrentDirectory&) = delete;

    const std::filesystem::path& path() const { return m_path; }

  private:
    std::filesystem::path m_previous;
    std::filesystem::path m_path;
};

}  // namespace testsupport
