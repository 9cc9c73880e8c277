#pragma once
// The scanner library (libsane), opened at first use so a machine without it still runs the program.

#include <sane/sane.h>
#include <string>

struct SaneLibrary {
    decltype(&sane_init) init;
    decltype(&sane_exit) exit;
    decltype(&sane_get_devices) getDevices;
    decltype(&sane_open) open;
    decltype(&sane_close) close;
    decltype(&sane_get_option_descriptor) getOptionDescriptor;
    decltype(&sane_control_option) controlOption;
    decltype(&sane_get_parameters) getParameters;
    decltype(&sane_start) start;
    decltype(&sane_read) read;
    decltype(&sane_cancel) cancel;
};

// The library's entry points; null when it is missing or lacks one of them.
const SaneLibrary* LoadSaneLibrary();

enum class SaneLibraryStatus { kLoaded, kMissing, kIncomplete };
// Whether the library loads with every entry point; path receives the file that was loaded.
SaneLibraryStatus GetSaneLibraryStatus(std::string* path);
