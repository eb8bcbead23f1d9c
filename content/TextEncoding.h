#pragma once
// The character set of a text file the user brings: code page 932 unless it starts
// with a UTF-8 byte-order mark or is valid UTF-8 that holds non-ASCII text.
#include <string>
#include <string_view>

class CTextEncoding {
public:
    enum class Encoding { Cp932, Utf8Bom, Utf8 };
    // Told to the user when a file was taken for UTF-8 without a byte-order mark.
    static constexpr const char* kUtf8Note = "文字コードを UTF-8 と判断して読み込みました。";

    // What bytes are; a byte-order mark is removed from bytes.
    static Encoding Detect(std::string_view& bytes);
    // Valid UTF-8 (a sequence cut off by the end counts as valid); nonAscii tells
    // whether a byte above 0x7F was seen.
    static bool IsUtf8(std::string_view bytes, bool& nonAscii);
    // UTF-8 to code page 932; a character the code page cannot hold becomes "？" and
    // is counted in replaced.
    static std::string Utf8ToCp932(std::string_view utf8, std::size_t& replaced);
    // The bytes of a file as code page 932, whichever of the two they were.
    static std::string ToCp932(std::string_view bytes);
    // The message for replaced characters (UTF-8).
    static std::string ReplacedNote(std::size_t replaced);
};
