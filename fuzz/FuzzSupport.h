#pragma once
// What every fuzz target needs around the readers: private settings and data
// folders, silence instead of message boxes, a Qt application for the image code.
#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzzsupport {
// Once per process, from LLVMFuzzerInitialize.
void Init(int* argc, char*** argv);
// A scratch folder of this process, removed at exit.
const std::string& ScratchDir();
// Writes the input to a file named name in the scratch folder; returns its path.
std::string WriteInput(const std::string& name, const std::uint8_t* data, std::size_t size);
} // namespace fuzzsupport
