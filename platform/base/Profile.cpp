#include "platform/base/Profile.h"

#include "platform/base/AtomicFileWriter.h"
#include "platform/base/TextEncoding.h"

#include <QByteArray>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <memory>
#include <mutex>
#include <optional>

namespace {

constexpr char kOrganisation[] = "Morrowgate";
constexpr char kApplication[] = "Vellumcraft";

QString ToQString(std::string_view text) {
    const std::string utf8 = StoredTextToUtf8(text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

CString FromQString(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return CString(std::string(utf8.constData(), static_cast<size_t>(utf8.size())));
}

// The settings file may come from elsewhere with bytes that are not UTF-8; QSettings would turn them
// into replacement characters and write those back. Such lines are rewritten from Windows-1252 first.
void RepairStoredText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    const QByteArray bytes = file.readAll();
    file.close();
    if (IsValidUtf8(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())))) {
        return;
    }
    std::string repaired;
    for (const QByteArray& line : bytes.split('\n')) {
        if (!repaired.empty()) {
            repaired += '\n';
        }
        repaired += StoredTextToUtf8(std::string_view(line.constData(), static_cast<size_t>(line.size())));
    }
    WriteFileAtomically(FromQString(path), repaired.data(), repaired.size());
}

// The one QSettings object of the process: QSettings objects do not coordinate their writes to one file.
class CProfileStore {
public:
    static CProfileStore& Instance() {
        static CProfileStore store;
        return store;
    }

    std::mutex& Mutex() { return m_mutex; }

    // Valid while the mutex is held.
    QSettings& Settings() {
        const QString path = FilePath();
        if (!m_settings || m_settings->fileName() != path) {
            m_settings.reset();
            RepairStoredText(path);
            m_settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
        }
        return *m_settings;
    }

    QString FilePath() const {
        const QString folder = m_folderOverride.isEmpty()
                                   ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                                   : m_folderOverride;
        return folder + '/' + kOrganisation + '/' + kApplication + ".conf";
    }

    // Also drops what is held in memory: the next call reads the file.
    void SetFolder(const QString& folder) {
        m_settings.reset();
        m_folderOverride = folder;
    }

private:
    std::mutex m_mutex;
    std::unique_ptr<QSettings> m_settings;
    QString m_folderOverride;
};

// One key or value name as QSettings holds it: '/' would start a new level there.
QString EncodeLevel(std::string_view name) {
    QString level = ToQString(name);
    level.replace('/', QStringLiteral("%2F"));
    return level;
}

QStringList SplitSection(LPCTSTR section) {
    QStringList levels;
    const std::string_view text(section ? section : "");
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\\', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        if (end > start) {
            levels.append(EncodeLevel(text.substr(start, end - start)));
        }
        start = end + 1;
    }
    return levels;
}

// The stored name among the candidates that equals the name, preferring the exact spelling.
std::optional<QString> FindName(const QStringList& candidates, const QString& name) {
    if (candidates.contains(name)) {
        return name;
    }
    for (const QString& candidate : candidates) {
        if (candidate.compare(name, Qt::CaseInsensitive) == 0) {
            return candidate;
        }
    }
    return std::nullopt;
}

QStringList ChildGroups(QSettings& settings, const QString& group) {
    settings.beginGroup(group);
    QStringList groups = settings.childGroups();
    settings.endGroup();
    return groups;
}

QStringList ChildKeys(QSettings& settings, const QString& group) {
    settings.beginGroup(group);
    QStringList keys = settings.childKeys();
    settings.endGroup();
    return keys;
}

// The group of a section as stored, levels that do not exist yet as given. nullopt when a level is
// missing and the caller wants only existing groups.
std::optional<QString> ResolveGroup(QSettings& settings, LPCTSTR section, bool mustExist) {
    QString group;
    bool exists = true;
    for (const QString& level : SplitSection(section)) {
        std::optional<QString> stored = exists ? FindName(ChildGroups(settings, group), level) : std::nullopt;
        if (!stored) {
            if (mustExist) {
                return std::nullopt;
            }
            exists = false;
        }
        group += (group.isEmpty() ? QString() : QStringLiteral("/")) + stored.value_or(level);
    }
    return group;
}

QString KeyIn(const QString& group, const QString& name) {
    return group.isEmpty() ? name : group + '/' + name;
}

// The full key of a value as stored; the given spelling when it is new (or, for reading, nullopt).
std::optional<QString> ResolveKey(QSettings& settings, LPCTSTR section, LPCTSTR entry, bool mustExist) {
    if (!entry || !*entry) {
        return std::nullopt;
    }
    const std::optional<QString> group = ResolveGroup(settings, section, mustExist);
    if (!group) {
        return std::nullopt;
    }
    const QString name = EncodeLevel(entry);
    const std::optional<QString> stored = FindName(ChildKeys(settings, *group), name);
    if (!stored && mustExist) {
        return std::nullopt;
    }
    return KeyIn(*group, stored.value_or(name));
}

std::optional<QVariant> ReadValue(LPCTSTR section, LPCTSTR entry) {
    CProfileStore& store = CProfileStore::Instance();
    std::lock_guard lock(store.Mutex());
    QSettings& settings = store.Settings();
    const std::optional<QString> key = ResolveKey(settings, section, entry, true);
    if (!key) {
        return std::nullopt;
    }
    return settings.value(*key);
}

BOOL WriteValue(LPCTSTR section, LPCTSTR entry, const QVariant& value) {
    CProfileStore& store = CProfileStore::Instance();
    std::lock_guard lock(store.Mutex());
    QSettings& settings = store.Settings();
    const std::optional<QString> key = ResolveKey(settings, section, entry, false);
    if (!key) {
        return FALSE;
    }
    settings.setValue(*key, value);
    settings.sync();
    return settings.status() == QSettings::NoError ? TRUE : FALSE;
}

bool IsBinary(const QVariant& value) {
    return value.typeId() == QMetaType::QByteArray;
}

std::vector<CString> ToNames(const QStringList& names) {
    std::vector<CString> result;
    for (const QString& name : names) {
        result.push_back(FromQString(name));
    }
    return result;
}

} // namespace

CString GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue) {
    const std::optional<QVariant> value = ReadValue(section, entry);
    if (!value || IsBinary(*value) || !value->canConvert<QString>()) {
        return CString(defaultValue);
    }
    return FromQString(value->toString());
}

UINT GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue) {
    const std::optional<QVariant> value = ReadValue(section, entry);
    if (!value || IsBinary(*value)) {
        return static_cast<UINT>(defaultValue);
    }
    bool ok = false;
    const int number = value->toString().trimmed().toInt(&ok, 10);
    return static_cast<UINT>(ok ? number : defaultValue);
}

BOOL GetProfileBinary(LPCTSTR section, LPCTSTR entry, BYTE** data, UINT* bytes) {
    if (!data || !bytes) {
        return FALSE;
    }
    *data = nullptr;
    *bytes = 0;
    const std::optional<QVariant> value = ReadValue(section, entry);
    if (!value || !IsBinary(*value)) {
        return FALSE;
    }
    const QByteArray stored = value->toByteArray();
    *bytes = static_cast<UINT>(stored.size());
    *data = new BYTE[stored.isEmpty() ? 1 : static_cast<size_t>(stored.size())];
    std::copy(stored.begin(), stored.end(), *data);
    return TRUE;
}

BOOL WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value) {
    if (!entry) {
        return DeleteProfileKey(section);
    }
    if (!value) {
        return DeleteProfileValue(section, entry);
    }
    return WriteValue(section, entry, ToQString(value));
}

BOOL WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value) {
    return WriteValue(section, entry, value);
}

BOOL WriteProfileBinary(LPCTSTR section, LPCTSTR entry, const BYTE* data, UINT bytes) {
    if (!data && bytes > 0) {
        return FALSE;
    }
    const QByteArray stored =
        bytes > 0 ? QByteArray(reinterpret_cast<const char*>(data), bytes) : QByteArray("");
    return WriteValue(section, entry, stored);
}

std::vector<CString> GetProfileSubkeyNames(LPCTSTR section) {
    CProfileStore& store = CProfileStore::Instance();
    std::lock_guard lock(store.Mutex());
    QSettings& settings = store.Settings();
    const std::optional<QString> group = ResolveGroup(settings, section, true);
    return group ? ToNames(ChildGroups(settings, *group)) : std::vector<CString>();
}

std::vector<CString> GetProfileValueNames(LPCTSTR section) {
    CProfileStore& store = CProfileStore::Instance();
    std::lock_guard lock(store.Mutex());
    QSettings& settings = store.Settings();
    const std::optional<QString> group = ResolveGroup(settings, section, true);
    return group ? ToNames(ChildKeys(settings, *group)) : std::vector<CString>();
}

BOOL DeleteProfileKey(LPCTSTR section) {
    CProfileStore& store = CProfileStore::Instance();
    std::lock_guard lock(store.Mutex());
    QSettings& settings = store.Settings();
    const std::optional<QString> group = ResolveGroup(settings, section, true);
    if (!group || group->isEmpty()) {
        return FALSE;
    }
    settings.remove(*group);
    settings.sync();
    return settings.status() == QSettings::NoError ? TRUE : FALSE;
}

BOOL DeleteProfileValue(LPCTSTR section, LPCTSTR entry) {
    CProfileStore& store = CProfileStore::Instance();
    std::lock_guard lock(store.Mutex());
    QSettings& settings = store.Settings();
    const std::optional<QString> key = ResolveKey(settings, section, entry, true);
    if (!key) {
        return FALSE;
    }
    settings.remove(*key);
    settings.sync();
    return settings.status() == QSettings::NoError ? TRUE : FALSE;
}

CString EscapeProfileKeyPart(const CString& name) {
    CString part;
    for (const char ch : name.view()) {
        switch (ch) {
        case '%':
            part += "%25";
            break;
        case '/':
            part += "%2F";
            break;
        case '\\':
            part += "%5C";
            break;
        default:
            part += ch;
        }
    }
    return part;
}

CString UnescapeProfileKeyPart(const CString& part) {
    auto decode = [](std::string_view code) -> char {
        const CString upper = CString(code).MakeUpper();
        return upper == "25" ? '%' : upper == "2F" ? '/' : upper == "5C" ? '\\' : '\0';
    };
    CString name;
    const std::string_view text = part.view();
    for (size_t i = 0; i < text.size(); ++i) {
        const char decoded = text[i] == '%' ? decode(text.substr(i + 1, 2)) : '\0';
        if (decoded != '\0') {
            name += decoded;
            i += 2;
        } else {
            name += text[i];
        }
    }
    return name;
}

CString GetProfileFilePath() {
    CProfileStore& store = CProfileStore::Instance();
    std::lock_guard lock(store.Mutex());
    return FromQString(store.FilePath());
}

void SetProfileFolderForTesting(const CString& folder) {
    CProfileStore& store = CProfileStore::Instance();
    std::lock_guard lock(store.Mutex());
    store.SetFolder(ToQString(folder.view()));
}
