// Case tables: one case a line, blank lines and lines starting with '#' are
// comments. A line the test cannot read fails it, and so does a table that
// runs fewer cases than it must have: a lost or cut file cannot pass quietly.
#pragma once

#include <gtest/gtest.h>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <string>

namespace testsupport {

// Calls `run` with every case of the table, traced with "file:line"; `run`
// returns false for a line it cannot read.
template <class Run>
void RunCaseTable(const std::filesystem::path& path, int atLeast, Run run) {
    std::ifstream in(path);
    ASSERT_TRUE(in) << "cannot open " << path;
    int number = 0, ran = 0;
    for (std::string line; std::getline(in, line);) {
        if (++number, line.empty() || line.front() == '#') continue;
        const std::string where = path.filename().string() + ":" + std::to_string(number);
        SCOPED_TRACE(where);
        if (run(line)) {
            ++ran;
        } else {
            ADD_FAILURE() << where << " cannot be read: " << line;
        }
    }
    EXPECT_GE(ran, atLeast) << path << " has fewer cases than it must";
}

// Reads all of `text` as a number, in any locale; false when it is not one.
template <class Number>
bool ReadNumber(const std::string& text, Number* value) {
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, *value);
    return error == std::errc() && last == end;
}

}  // namespace testsupport
