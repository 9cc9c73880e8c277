// printf-style formatting of CString::Format over typed arguments.

#include "platform/base/String.h"

#include <cstdio>

namespace string_format {

Argument MakeArgument(const CString& value) {
    return MakeArgument(value.view());
}
Argument MakeArgument(const std::string& value) {
    return MakeArgument(std::string_view(value));
}
Argument MakeArgument(std::string_view value) {
    return Argument{.kind = Argument::Kind::Text, .text = value};
}
Argument MakeArgument(const char* value) {
    return MakeArgument(std::string_view(value ? value : "(null)"));
}
Argument MakeArgument(char* value) {
    return MakeArgument(static_cast<const char*>(value));
}
Argument MakeArgument(const void* value) {
    return Argument{.kind = Argument::Kind::Pointer, .pointer = value};
}

namespace {

struct Directive {
    std::string flags;
    int width = -1; // -1: none
    int precision = -1;
    bool wide = false; // ll, I64, j, z, t: 64-bit on every system
    char conversion = 0;
};

long long AsSigned(const Argument& a) {
    switch (a.kind) {
    case Argument::Kind::Signed:
        return a.signedValue;
    case Argument::Kind::Unsigned:
        return static_cast<long long>(a.unsignedValue);
    case Argument::Kind::Floating:
        return static_cast<long long>(a.floatingValue);
    case Argument::Kind::Pointer:
        return static_cast<long long>(reinterpret_cast<std::uintptr_t>(a.pointer));
    case Argument::Kind::Text:
        return 0;
    }
    return 0;
}

// A negative int given to %u or %x prints as the 32-bit value it is on the system the formats came from.
unsigned long long AsUnsigned(const Argument& a, bool wide) {
    if (a.kind == Argument::Kind::Signed && !wide && a.signedValue < 0 && a.signedValue >= INT32_MIN)
        return static_cast<std::uint32_t>(a.signedValue);
    if (a.kind == Argument::Kind::Unsigned)
        return a.unsignedValue;
    return static_cast<unsigned long long>(AsSigned(a));
}

double AsFloating(const Argument& a) {
    switch (a.kind) {
    case Argument::Kind::Floating:
        return a.floatingValue;
    case Argument::Kind::Unsigned:
        return static_cast<double>(a.unsignedValue);
    default:
        return static_cast<double>(AsSigned(a));
    }
}

std::string Pad(std::string text, const Directive& directive) {
    if (directive.width > 0 && static_cast<int>(text.size()) < directive.width) {
        const std::string fill(static_cast<size_t>(directive.width) - text.size(), ' ');
        text = directive.flags.find('-') != std::string::npos ? text + fill : fill + text;
    }
    return text;
}

std::string PrintNumber(const Directive& directive, const char* lengthModifier, auto value) {
    std::string format = "%" + directive.flags;
    if (directive.width >= 0)
        format += std::to_string(directive.width);
    if (directive.precision >= 0)
        format += "." + std::to_string(directive.precision);
    format += lengthModifier;
    format += directive.conversion;
    char buffer[512];
    const int n = std::snprintf(buffer, sizeof buffer, format.c_str(), value);
    if (n < 0)
        return {};
    if (n < static_cast<int>(sizeof buffer))
        return std::string(buffer, static_cast<size_t>(n));
    std::string big(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(big.data(), big.size(), format.c_str(), value);
    big.resize(static_cast<size_t>(n));
    return big;
}

std::string FormatOne(Directive directive, const Argument& a) {
    switch (directive.conversion) {
    case 'd':
    case 'i':
        if (a.kind == Argument::Kind::Text) {
            directive.conversion = 's';
            return FormatOne(directive, a);
        }
        return PrintNumber(directive, "ll", AsSigned(a));
    case 'u':
    case 'x':
    case 'X':
    case 'o':
        if (a.kind == Argument::Kind::Text) {
            directive.conversion = 's';
            return FormatOne(directive, a);
        }
        return PrintNumber(directive, "ll", AsUnsigned(a, directive.wide));
    case 'c': {
        const char ch = a.kind == Argument::Kind::Text ? (a.text.empty() ? '\0' : a.text.front())
                                                       : static_cast<char>(AsSigned(a));
        return Pad(std::string(1, ch), directive);
    }
    case 'e':
    case 'E':
    case 'f':
    case 'F':
    case 'g':
    case 'G':
    case 'a':
    case 'A':
        return PrintNumber(directive, "", AsFloating(a));
    case 'p':
        return PrintNumber(directive, "",
                           a.kind == Argument::Kind::Pointer
                               ? a.pointer
                               : reinterpret_cast<const void*>(static_cast<std::uintptr_t>(AsSigned(a))));
    default: { // 's', 'S'
        std::string text;
        if (a.kind == Argument::Kind::Text) {
            text = std::string(a.text);
        } else {
            Directive number = directive;
            number.conversion = a.kind == Argument::Kind::Floating ? 'g' : 'd';
            number.width = -1;
            number.precision = -1;
            number.flags.clear();
            text = FormatOne(number, a);
        }
        if (directive.precision >= 0 && static_cast<int>(text.size()) > directive.precision)
            text.resize(static_cast<size_t>(directive.precision));
        return Pad(std::move(text), directive);
    }
    }
}

} // namespace

std::string Format(std::string_view format, const std::vector<Argument>& arguments) {
    std::string out;
    size_t next = 0;
    auto takeInt = [&](int& target) {
        if (next < arguments.size())
            target = static_cast<int>(AsSigned(arguments[next++]));
    };
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out += format[i];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        Directive directive;
        size_t j = i + 1;
        while (j < format.size() && std::string_view("-+ #0").find(format[j]) != std::string_view::npos)
            directive.flags += format[j++];
        if (j < format.size() && format[j] == '*') {
            takeInt(directive.width);
            if (directive.width < 0) {
                directive.flags += '-';
                directive.width = -directive.width;
            }
            ++j;
        } else {
            for (; j < format.size() && format[j] >= '0' && format[j] <= '9'; ++j)
                directive.width = std::max(directive.width, 0) * 10 + (format[j] - '0');
        }
        if (j < format.size() && format[j] == '.') {
            ++j;
            directive.precision = 0;
            if (j < format.size() && format[j] == '*') {
                takeInt(directive.precision);
                ++j;
            } else {
                for (; j < format.size() && format[j] >= '0' && format[j] <= '9'; ++j)
                    directive.precision = directive.precision * 10 + (format[j] - '0');
            }
        }
        for (;;) {
            if (j >= format.size())
                break;
            if (format.substr(j, 3) == "I64") {
                directive.wide = true;
                j += 3;
            } else if (format.substr(j, 2) == "ll") {
                directive.wide = true;
                j += 2;
            } else if (std::string_view("jzt").find(format[j]) != std::string_view::npos) {
                directive.wide = true;
                ++j;
            } else if (std::string_view("hlLwI").find(format[j]) != std::string_view::npos) {
                ++j;
            } else {
                break;
            }
        }
        if (j >= format.size()) {
            out.append(format.substr(i));
            break;
        }
        directive.conversion = format[j];
        i = j;
        if (std::string_view("diouxXcsSeEfFgGaAp").find(directive.conversion) == std::string_view::npos)
            continue; // %n and unknown conversions print nothing
        directive.width = std::min(directive.width, 4096);
        directive.precision = std::min(directive.precision, 4096);
        if (next < arguments.size())
            out += FormatOne(directive, arguments[next++]);
    }
    return out;
}

} // namespace string_format
