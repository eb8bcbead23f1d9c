#pragma once
// Keeps the chosen printer and its settings in a small binary file and restores
// them. File layout (little-endian): "DM", 16-bit size A, A bytes of device
// settings, "DN", 16-bit size B, B bytes of device names.
//
// Device settings block (kDevModeFixed bytes, then extra bytes):
//   0  u16 format version (kSpecVersion)   2  u16 driver version
//   4  u16 fixed size (kDevModeFixed)              6  u16 extra size (the paper name's bytes)
//   8  i32 orientation (1 portrait, 2 landscape)  12  i32 paper id (the toolkit's page-size id)
//  16  i32 paper width, 20 i32 paper height, in 1/10 mm
//  24  i32 resolution in dots per inch            28  i32 copies
//  32  i32 colour (1 monochrome, 2 colour)        36  i32 duplex (0 none, 1 long edge, 2 short edge)
//  40..kDevModeFixed-1 zero                        then the paper name (UTF-8, no terminator)
// Device names block: u16 offsets of the driver, device and port texts, u16 default
// flag, then the three texts each ending in a zero byte; its size is port offset +
// port length + 1.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct CPrtDevMode {
    std::uint16_t specVersion = 1;
    std::uint16_t driverVersion = 0;
    std::int32_t orientation = 1;
    std::int32_t paperId = 0;
    std::int32_t paperWidth = 0;   // 1/10 mm
    std::int32_t paperHeight = 0;  // 1/10 mm
    std::int32_t resolution = 0;   // dots per inch
    std::int32_t copies = 1;
    std::int32_t color = 2;
    std::int32_t duplex = 0;
    std::string paperName;
};

struct CPrtDevNames {
    std::string driver;
    std::string device;  // the printer's name
    std::string port;
    std::uint16_t isDefault = 0;
};

// What the print dialog hands over: either part may be missing.
struct CPrintDlgRecord {
    std::optional<CPrtDevMode> devMode;
    std::optional<CPrtDevNames> devNames;
};

class CPrtCtrlUL {
public:
    static constexpr std::uint16_t kSpecVersion = 1;
    static constexpr std::size_t kDevModeFixed = 64;
    static constexpr std::uint16_t kMarkDM = 0x4D44; // "DM"
    static constexpr std::uint16_t kMarkDN = 0x4E44; // "DN"

    // Tells whether a printer is installed and, if so, its format and driver
    // versions. The library cannot ask the printing system itself; the program installs
    // one. Without one every printer counts as installed with the recorded versions.
    using PrinterQuery = std::function<bool(const std::string& device, int& specVersion, int& driverVersion)>;
    static void SetPrinterQuery(PrinterQuery query);

    // Writes the file when both parts are set (creating or truncating it); 1 when written.
    static int SavePrinterInfo(const std::string& path, const CPrintDlgRecord& record);
    // Clears both parts, then restores what the file holds for an installed printer.
    static void LoadPrinterInfo(const std::string& path, CPrintDlgRecord& record);
    static std::size_t GetDevNamesSize(const std::optional<CPrtDevNames>& names);

    // The blocks as stored; parsing fails (nullopt) on any inconsistency.
    static std::vector<std::uint8_t> SerializeDevMode(const CPrtDevMode& mode);
    static std::vector<std::uint8_t> SerializeDevNames(const CPrtDevNames& names);
    static std::optional<CPrtDevMode> ParseDevMode(const std::vector<std::uint8_t>& block);
    static std::optional<CPrtDevNames> ParseDevNames(const std::vector<std::uint8_t>& block);

protected:
    static int CheckPrinterDriver(const std::optional<CPrtDevMode>& mode, const std::optional<CPrtDevNames>& names);
    static std::size_t GetDevModeSize(const std::optional<CPrtDevMode>& mode);
};
