#pragma once
// SANE's test backend in a private configuration folder for the scanner tests. The scanner library
// reads its folder once per process, so every test of a process shares the one folder made here.

#include <string>

// The folder holding dll.conf ("test") and test.conf; test.conf starts as the given text.
const std::string& UseSaneTestBackend(const std::string& testConf);
