#pragma once
// The quotations "peltex.txt": phrases the user appends to a text being typed, one a
// line, each entry at most 63 bytes (a longer line gives several entries).
#include <string>
#include <vector>

class CQuotations {
public:
    static constexpr const char* kFileName = "peltex.txt";
    static constexpr std::size_t kPieceLimit = 63;
    // The first entry of the text windows' quotation lists.
    static constexpr const char* kListHeading = "-----<引用文>-----";

    static std::string Path();

    // Reads path (code page 932, or UTF-8 recognised); a missing file gives no entries.
    bool Read(const std::string& path);
    bool Read() { return Read(Path()); }
    void Parse(std::string_view bytes);

    const std::vector<std::string>& Entries() const { return m_entries; }

    // The editing page's buttons: a non-empty text (line breaks removed) is appended,
    // or inserted before entry index; an entry is removed. True when the list changed.
    bool Append(const std::string& text);
    bool Insert(std::size_t index, const std::string& text);
    bool Remove(std::size_t index);
    bool IsModified() const { return m_modified; }

    std::string Format() const;
    bool SaveIfModified(const std::string& path, std::string& error);

private:
    std::vector<std::string> m_entries;
    bool m_modified = false;
};
