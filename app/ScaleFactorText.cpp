// "%d%n" parsing as the field's checks do it: a leading number counts, whatever follows it.

#include "app/ScaleFactorText.h"

#include <cstdio>

namespace {

constexpr int kLowest = -9;
constexpr int kHighest = 9;

struct Parsed {
    bool ok = false;
    int value = 0;
};

Parsed ParseLeadingNumber(const CString& text) {
    Parsed parsed;
    int consumed = 0;
    parsed.ok = std::sscanf(text.GetString(), "%d%n", &parsed.value, &consumed) == 1;
    return parsed;
}

bool InRange(int value) {
    return value >= kLowest && value <= kHighest;
}

} // namespace

bool ScaleFactorPassesWhileTyping(const CString& text) {
    if (text == "-")
        return true;
    const Parsed parsed = ParseLeadingNumber(text);
    const bool shortOrSigned = text.GetLength() < 2 || text[0] == '-';
    return parsed.ok && InRange(parsed.value) && shortOrSigned;
}

bool ScaleFactorPassesOnLeaving(const CString& text) {
    const Parsed parsed = ParseLeadingNumber(text);
    return parsed.ok && InRange(parsed.value);
}
