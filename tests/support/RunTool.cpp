#include "tests/support/RunTool.h"

#include <cstdio>
#include <sys/wait.h>

std::string InToolLocale(const std::string& command) {
    return "export LC_ALL=C.UTF-8; " + command;
}

QProcessEnvironment ToolEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C.UTF-8");
    return environment;
}

int RunTool(const std::string& command, std::string* output) {
    FILE* pipe = popen(InToolLocale(command).c_str(), "r");
    if (pipe == nullptr)
        return -1;
    std::string text;
    char buffer[65536];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        text.append(buffer, got);
    const int status = pclose(pipe);
    if (output != nullptr)
        *output = std::move(text);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ToolOutput(const std::string& command) {
    std::string output;
    RunTool(command, &output);
    return output;
}
