#pragma once
// Real tools run at test time (unzip, bsdtar, gm, python3 ...) through the shell.

#include <string>

// Runs the shell command and waits for it: its exit status, or -1 when it could not be started or did not
// exit. Its standard output goes to output when one is given.
int RunTool(const std::string& command, std::string* output = nullptr);
// The standard output of the shell command, whatever its exit status.
std::string ToolOutput(const std::string& command);
