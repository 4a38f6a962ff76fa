// Runs the built vantrell-tool as a user would, capturing its exit status, standard output and
// standard error separately.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/scratch_dir.h"

namespace vantrell::test {

struct ToolResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string Quoted(const std::string& arg) {
    std::string quoted = "'";
    for (const char c : arg) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

inline ToolResult RunTool(const std::vector<std::string>& args) {
    ScratchDir scratch;
    const std::filesystem::path errors = scratch / "stderr.txt";
    std::string command = Quoted(VANTRELL_TOOL);
    for (const std::string& arg : args) {
        command += ' ';
        command += Quoted(arg);
    }
    command += " 2>";
    command += Quoted(errors.string());
    ToolResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.out.append(buffer, n);
    }
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errors, std::ios::binary);
    result.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return result;
}

// "goal T" as verify prints it. Built by appending: GCC 12 warns falsely on "literal" + string.
inline std::string GoalLine(int32_t time) {
    std::string line = "goal ";
    line += std::to_string(time);
    line += '\n';
    return line;
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        lines.push_back(
            text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return lines;
}

}  // namespace vantrell::test
