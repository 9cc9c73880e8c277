#pragma once
// Dates messages at a fixed moment in a fixed zone (Central European Time), so whole messages are golden.

#include "output/MailMessage.h"

#include <cstdlib>
#include <ctime>
#include <string>

class FixedMailClock {
public:
    // Wed, 10 Dec 2025 21:53:20 +0100.
    static constexpr std::time_t kMoment = 1'765'400'000;

    FixedMailClock() {
        if (const char* zone = std::getenv("TZ"))
            m_savedZone = zone, m_hadZone = true;
        setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
        tzset();
        CMailMessage::SetClock([] { return kMoment; });
    }
    ~FixedMailClock() {
        CMailMessage::SetClock(nullptr);
        if (m_hadZone)
            setenv("TZ", m_savedZone.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    FixedMailClock(const FixedMailClock&) = delete;
    FixedMailClock& operator=(const FixedMailClock&) = delete;

private:
    std::string m_savedZone;
    bool m_hadZone = false;
};
