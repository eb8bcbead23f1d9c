#include "platform/WholeFile.h"

#include <QSaveFile>

#include <cstdio>
#include <memory>

namespace wholefile {
bool Read(const std::string& path, std::string& bytes)
{
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!f)
        return false;
    bytes.clear();
    char buf[65536];
    std::size_t got;
    while ((got = std::fread(buf, 1, sizeof buf, f.get())) > 0)
        bytes.append(buf, got);
    return !std::ferror(f.get());
}

bool Replace(const std::string& path, const std::string& bytes, std::string& error)
{
    QSaveFile out(QString::fromStdString(path));
    if (!out.open(QIODevice::WriteOnly)
        || out.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())
        || !out.commit()) {
        error = path + " に書き込めませんでした（" + out.errorString().toStdString() + "）。";
        out.cancelWriting();
        return false;
    }
    return true;
}
} // namespace wholefile
