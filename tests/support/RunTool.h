#pragma once
// Real tools run at test time (unzip, bsdtar, gm, python3 ...) through the shell, always in the UTF-8
// C locale: the machine's own may be unset or another, and tools then mangle names that are not ASCII.

#include <QProcessEnvironment>
#include <string>

// The shell command run in the tools' locale.
std::string InToolLocale(const std::string& command);
// The environment for a QProcess that runs a tool.
QProcessEnvironment ToolEnvironment();

// Runs the shell command and waits for it: its exit status, or -1 when it could not be started or did not
// exit. Its standard output goes to output when one is given.
int RunTool(const std::string& command, std::string* output = nullptr);
// The standard output of the shell command, whatever its exit status.
std::string ToolOutput(const std::string& command);
