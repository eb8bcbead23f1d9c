#include "ardelib/PrtCtrlUL.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
CPrtCtrlUL::PrinterQuery& Query()
{
    static CPrtCtrlUL::PrinterQuery query;
    return query;
}

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t v)
{
    out[at] = static_cast<std::uint8_t>(v & 0xFF);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::int32_t value)
{
    auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint16_t Get16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

std::int32_t Get32(const std::uint8_t* p)
{
    std::uint32_t v = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8)
                      | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    return static_cast<std::int32_t>(v);
}

bool ReadAll(int fd, void* buf, std::size_t n)
{
    auto* p = static_cast<char*>(buf);
    while (n > 0) {
        ssize_t r = ::read(fd, p, n);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return false;
        p += r;
        n -= static_cast<std::size_t>(r);
    }
    return true;
}

bool WriteAll(int fd, const void* buf, std::size_t n)
{
    const auto* p = static_cast<const char*>(buf);
    while (n > 0) {
        ssize_t w = ::write(fd, p, n);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return false;
        p += w;
        n -= static_cast<std::size_t>(w);
    }
    return true;
}

// A marker and a 16-bit size, then the block.
bool ReadBlock(int fd, std::uint16_t marker, std::vector<std::uint8_t>& block)
{
    std::uint8_t head[4];
    if (!ReadAll(fd, head, 4) || Get16(head) != marker)
        return false;
    block.assign(Get16(head + 2), 0);
    return ReadAll(fd, block.data(), block.size());
}
} // namespace

void CPrtCtrlUL::SetPrinterQuery(PrinterQuery query) { Query() = std::move(query); }

std::vector<std::uint8_t> CPrtCtrlUL::SerializeDevMode(const CPrtDevMode& mode)
{
    std::vector<std::uint8_t> out(kDevModeFixed + mode.paperName.size(), 0);
    Put16(out, 0, mode.specVersion);
    Put16(out, 2, mode.driverVersion);
    Put16(out, 4, static_cast<std::uint16_t>(kDevModeFixed));
    Put16(out, 6, static_cast<std::uint16_t>(mode.paperName.size()));
    Put32(out, 8, mode.orientation);
    Put32(out, 12, mode.paperId);
    Put32(out, 16, mode.paperWidth);
    Put32(out, 20, mode.paperHeight);
    Put32(out, 24, mode.resolution);
    Put32(out, 28, mode.copies);
    Put32(out, 32, mode.color);
    Put32(out, 36, mode.duplex);
    std::memcpy(out.data() + kDevModeFixed, mode.paperName.data(), mode.paperName.size());
    return out;
}

std::optional<CPrtDevMode> CPrtCtrlUL::ParseDevMode(const std::vector<std::uint8_t>& block)
{
    if (block.size() < kDevModeFixed)
        return std::nullopt;
    const std::uint8_t* p = block.data();
    if (Get16(p + 4) != kDevModeFixed || kDevModeFixed + Get16(p + 6) != block.size())
        return std::nullopt;
    CPrtDevMode m;
    m.specVersion = Get16(p);
    m.driverVersion = Get16(p + 2);
    m.orientation = Get32(p + 8);
    m.paperId = Get32(p + 12);
    m.paperWidth = Get32(p + 16);
    m.paperHeight = Get32(p + 20);
    m.resolution = Get32(p + 24);
    m.copies = Get32(p + 28);
    m.color = Get32(p + 32);
    m.duplex = Get32(p + 36);
    m.paperName.assign(reinterpret_cast<const char*>(p + kDevModeFixed), block.size() - kDevModeFixed);
    return m;
}

std::vector<std::uint8_t> CPrtCtrlUL::SerializeDevNames(const CPrtDevNames& names)
{
    // Texts end at their first zero byte, as they would be read back.
    auto cut = [](const std::string& s) { return s.substr(0, s.find('\0')); };
    std::string driver = cut(names.driver), device = cut(names.device), port = cut(names.port);
    std::size_t driverOff = 8, deviceOff = driverOff + driver.size() + 1, portOff = deviceOff + device.size() + 1;
    std::vector<std::uint8_t> out(portOff + port.size() + 1, 0);
    Put16(out, 0, static_cast<std::uint16_t>(driverOff));
    Put16(out, 2, static_cast<std::uint16_t>(deviceOff));
    Put16(out, 4, static_cast<std::uint16_t>(portOff));
    Put16(out, 6, names.isDefault);
    std::memcpy(out.data() + driverOff, driver.data(), driver.size());
    std::memcpy(out.data() + deviceOff, device.data(), device.size());
    std::memcpy(out.data() + portOff, port.data(), port.size());
    return out;
}

std::optional<CPrtDevNames> CPrtCtrlUL::ParseDevNames(const std::vector<std::uint8_t>& block)
{
    if (block.size() < 8)
        return std::nullopt;
    const std::uint8_t* p = block.data();
    // Each text must start inside the block and end with a zero byte inside it.
    auto text = [&](std::uint16_t off, std::string& out) {
        if (off < 8 || off >= block.size())
            return false;
        const void* zero = std::memchr(p + off, 0, block.size() - off);
        if (!zero)
            return false;
        out.assign(reinterpret_cast<const char*>(p + off), static_cast<const std::uint8_t*>(zero) - (p + off));
        return true;
    };
    CPrtDevNames n;
    if (!text(Get16(p), n.driver) || !text(Get16(p + 2), n.device) || !text(Get16(p + 4), n.port))
        return std::nullopt;
    n.isDefault = Get16(p + 6);
    return n;
}

std::size_t CPrtCtrlUL::GetDevModeSize(const std::optional<CPrtDevMode>& mode)
{
    return mode ? kDevModeFixed + mode->paperName.size() : 0;
}

std::size_t CPrtCtrlUL::GetDevNamesSize(const std::optional<CPrtDevNames>& names)
{
    return names ? SerializeDevNames(*names).size() : 0;
}

int CPrtCtrlUL::CheckPrinterDriver(const std::optional<CPrtDevMode>& mode, const std::optional<CPrtDevNames>& names)
{
    if (!mode || !names)
        return 0;
    int specVer = mode->specVersion, driver = mode->driverVersion;
    if (Query() && !Query()(names->device, specVer, driver))
        return 0;
    return specVer == mode->specVersion && driver == mode->driverVersion ? 1 : 0;
}

int CPrtCtrlUL::SavePrinterInfo(const std::string& path, const CPrintDlgRecord& record)
{
    if (!record.devMode || !record.devNames || path.empty())
        return 0;
    std::vector<std::uint8_t> dm = SerializeDevMode(*record.devMode);
    std::vector<std::uint8_t> dn = SerializeDevNames(*record.devNames);
    if (dm.size() > 0xFFFF || dn.size() > 0xFFFF)
        return 0;
    std::vector<std::uint8_t> bytes(8 + dm.size() + dn.size());
    Put16(bytes, 0, kMarkDM);
    Put16(bytes, 2, static_cast<std::uint16_t>(dm.size()));
    std::memcpy(bytes.data() + 4, dm.data(), dm.size());
    std::size_t at = 4 + dm.size();
    Put16(bytes, at, kMarkDN);
    Put16(bytes, at + 2, static_cast<std::uint16_t>(dn.size()));
    std::memcpy(bytes.data() + at + 4, dn.data(), dn.size());

    // A fresh file beside the target replaces it only when complete.
    std::string temp = path + ".XXXXXX";
    int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return 0;
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    bool ok = WriteAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok && ::rename(temp.c_str(), path.c_str()) == 0)
        return 1;
    ::unlink(temp.c_str());
    return 0;
}

void CPrtCtrlUL::LoadPrinterInfo(const std::string& path, CPrintDlgRecord& record)
{
    record.devMode.reset();
    record.devNames.reset();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    std::vector<std::uint8_t> dm, dn;
    bool haveDm = ReadBlock(fd, kMarkDM, dm);
    bool haveDn = haveDm && ReadBlock(fd, kMarkDN, dn);
    ::close(fd);
    std::optional<CPrtDevMode> mode = haveDm ? ParseDevMode(dm) : std::nullopt;
    std::optional<CPrtDevNames> names = haveDn ? ParseDevNames(dn) : std::nullopt;
    if (mode && names && CheckPrinterDriver(mode, names)) {
        record.devMode = std::move(mode);
        record.devNames = std::move(names);
        return;
    }
    // The printer stays chosen with its driver's defaults while it is installed.
    if (!names)
        return;
    int specVer = 0, driver = 0;
    if (!Query() || Query()(names->device, specVer, driver))
        record.devNames = std::move(names);
}
