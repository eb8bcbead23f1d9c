#include "ardelib/SettingsStore.h"

#include <QSettings>

#include <mutex>
#include <QString>

#include <cstdlib>

struct CSettingsStore::Impl {
    explicit Impl(const QString& file) : settings(file, QSettings::IniFormat) {}
    // Drawing threads read settings while they draw bands of one page.
    std::mutex lock;
    QSettings settings;
};

namespace {
// Integers are written bare, texts with a leading type mark that the reader strips,
// so that a text holding digits is never taken for an integer and the reverse.
const QString kTextMark = QStringLiteral("s:");

QString Key(const std::string& section, const std::string& key)
{
    return QString::fromUtf8(section) + QLatin1Char('/') + QString::fromUtf8(key);
}
} // namespace

std::string CSettingsStore::FilePath(const std::string& company, const std::string& application)
{
    std::string base;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home ? home : "") + "/.config";
    }
    return base + "/" + company + "/" + application + ".ini";
}

CSettingsStore::CSettingsStore(const std::string& company, const std::string& application)
    : m_path(FilePath(company, application))
{
    d = std::make_unique<Impl>(QString::fromUtf8(m_path));
}

CSettingsStore::~CSettingsStore() { d->settings.sync(); }

#define LOCKED std::lock_guard<std::mutex> locked(d->lock)

int CSettingsStore::GetInt(const std::string& section, const std::string& key, int def) const
{
    LOCKED;
    QVariant v = d->settings.value(Key(section, key));
    if (!v.isValid())
        return def;
    QString s = v.toString();
    if (s.startsWith(kTextMark))
        return def;
    bool ok = false;
    int n = s.toInt(&ok);
    return ok ? n : def;
}

std::string CSettingsStore::GetString(const std::string& section, const std::string& key,
                                      const std::string& def) const
{
    LOCKED;
    QVariant v = d->settings.value(Key(section, key));
    if (!v.isValid())
        return def;
    QString s = v.toString();
    if (!s.startsWith(kTextMark))
        return def;
    return s.mid(kTextMark.size()).toStdString();
}

bool CSettingsStore::Contains(const std::string& section, const std::string& key) const
{
    LOCKED;
    return d->settings.contains(Key(section, key));
}

void CSettingsStore::WriteInt(const std::string& section, const std::string& key, int value)
{
    LOCKED;
    d->settings.setValue(Key(section, key), QString::number(value));
}

void CSettingsStore::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    LOCKED;
    d->settings.setValue(Key(section, key), kTextMark + QString::fromUtf8(value));
}

void CSettingsStore::Remove(const std::string& section, const std::string& key)
{
    LOCKED;
    d->settings.remove(Key(section, key));
}

bool CSettingsStore::Sync()
{
    LOCKED;
    d->settings.sync();
    return d->settings.status() == QSettings::NoError;
}
