#include "lang/langpack/ModuleEntries.h"
#include "platform/base/TextEncoding.h"

#include <QFile>
#include <QRegularExpression>
#include <stdexcept>

namespace LangPack {
namespace {

[[noreturn]] void Fail(const QString& path, int line, const QString& message) {
    throw std::runtime_error(QString("%1:%2: %3").arg(path).arg(line).arg(message).toStdString());
}

QByteArray Unescape(const QByteArray& text, const QString& path, int line) {
    QByteArray result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            result += text[i];
            continue;
        }
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        switch (next) {
        case 'n':
            result += '\n';
            break;
        case 't':
            result += '\t';
            break;
        case '\\':
            result += '\\';
            break;
        default:
            Fail(path, line, "unknown escape; use \\n, \\t or \\\\");
        }
        ++i;
    }
    return result;
}

// Texts are formatted by the program with "%s", "%d" and their kin; a stray '%' would eat an argument.
void CheckConversions(const QByteArray& text, const QString& path, int line) {
    static const QRegularExpression kConversion(
        R"(^%(%|[-+ #0]*[0-9]*(\.[0-9]+)?(hh|h|ll|l)?[diouxXcsfeEgGp]))");
    for (qsizetype i = text.indexOf('%'); i >= 0; i = text.indexOf('%', i + 1)) {
        const QRegularExpressionMatch match = kConversion.match(QString::fromUtf8(text.mid(i)));
        if (!match.hasMatch()) {
            Fail(path, line, "malformed % conversion");
        }
        i += match.capturedLength() - 1;
    }
}

} // namespace

void AddStringTable(const QString& path, Entries& entries) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot read " + path.toStdString());
    }
    static const QRegularExpression kLine(R"(^([0-9]+)\s*=\s*(.*?)\s*$)");
    int lineNumber = 0;
    while (!file.atEnd()) {
        ++lineNumber;
        QByteArray line = file.readLine();
        if (line.endsWith('\n')) {
            line.chop(1);
        }
        if (line.trimmed().isEmpty() || line.trimmed().startsWith('#')) {
            continue;
        }
        if (!IsValidUtf8(std::string_view(line.constData(), static_cast<size_t>(line.size())))) {
            Fail(path, lineNumber, "not UTF-8");
        }
        const QRegularExpressionMatch match = kLine.match(QString::fromUtf8(line));
        const unsigned id = match.hasMatch() ? match.captured(1).toUInt() : 0;
        if (id == 0 || id > 0xFFFF) {
            Fail(path, lineNumber, "expected \"id = text\" with an id from 1 to 65535");
        }
        const QByteArray text = Unescape(match.captured(2).toUtf8(), path, lineNumber);
        if (text.isEmpty()) {
            Fail(path, lineNumber, "empty text");
        }
        CheckConversions(text, path, lineNumber);
        if (!entries.emplace("string/" + std::to_string(id), std::vector<BYTE>(text.begin(), text.end()))
                 .second) {
            Fail(path, lineNumber, QString("string %1 given twice").arg(id));
        }
    }
}

} // namespace LangPack
