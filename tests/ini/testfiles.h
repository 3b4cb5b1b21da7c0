// Whole files, and case tables: one case a line, fields split at '|' and
// trimmed, lines starting with '#' skipped. A field in double quotes keeps its
// blanks; \t, \r, \n and \xHH stand for their bytes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace testfiles {

inline std::string Bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
inline void Put(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string Field(std::string f) {
    f.erase(0, f.find_first_not_of(' ')).erase(f.find_last_not_of(' ') + 1);
    if (f.size() >= 2 && f.front() == '"' && f.back() == '"') f = f.substr(1, f.size() - 2);
    std::string out;
    for (std::size_t i = 0; i < f.size(); ++i) {
        const auto escape = f[i] == '\\' ? std::string_view("trnx").find(f[++i]) : 4;
        if (escape == 3)
            out += static_cast<char>(std::stoi(f.substr(i + 1, 2), nullptr, 16)), i += 2;
        if (escape != 3) out += escape < 3 ? "\t\r\n"[escape] : f[i];
    }
    return out;
}

// The cases of a table, fewer than `atLeast` failing; field 0 is "file:line" for
// SCOPED_TRACE, and a line without `width` fields besides (when not 0) fails.
inline std::vector<std::vector<std::string>> Cases(const std::filesystem::path& path,
                                                   std::size_t width = 0, std::size_t atLeast = 1) {
    std::ifstream in(path);
    std::vector<std::vector<std::string>> cases;
    int number = 0;
    for (std::string line, f; std::getline(in, line);) {
        if (++number, line.empty() || line.front() == '#') continue;
        cases.push_back({path.filename().string() + ":" + std::to_string(number)});
        for (std::istringstream fields(line); std::getline(fields, f, '|');)
            cases.back().push_back(Field(f));
        if (width == 0 || cases.back().size() == width + 1) continue;
        ADD_FAILURE() << cases.back()[0] << " cannot be read: " << line;
        cases.pop_back();
    }
    EXPECT_GE(cases.size(), atLeast) << path << " has fewer cases than it must";
    return cases;
}

}  // namespace testfiles
