#pragma once
// Reading one member of an LHA archive into memory; nothing is written to disk.
#include <cstddef>
#include <string>

enum class LhaResult { Ok, NotArchive, NoMember, Damaged, TooLarge };

// No real document or plan comes near this; a larger declared size is a damaged or hostile archive.
constexpr std::size_t kLhaMaxMember = std::size_t(1) << 30;

// Finds the first member whose file name (folder part ignored) equals name, ignoring
// ASCII case, and checks its length and CRC-16 before handing it out.
LhaResult ExtractLhaMember(const std::string& archivePath, const std::string& name, std::string& out);
// Checks the first bytes: does this look like an LHA archive at all?
bool LooksLikeLha(const std::string& path);
unsigned short LhaCrc16(const void* data, std::size_t size, unsigned short crc = 0);
