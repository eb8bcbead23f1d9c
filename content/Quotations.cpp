#include "content/Quotations.h"

#include "content/ContentFiles.h"
#include "content/TextEncoding.h"
#include "content/TextLines.h"
#include "platform/WholeFile.h"

std::string CQuotations::Path() { return CContentFiles::UserFile(kFileName, "path_inyou_flg"); }

bool CQuotations::Read(const std::string& path)
{
    // A file that cannot be read leaves nothing of the previous one.
    std::string bytes;
    const bool read = wholefile::Read(path, bytes);
    Parse(read ? bytes : std::string());
    return read;
}

void CQuotations::Parse(std::string_view bytes)
{
    m_entries.clear();
    m_modified = false;
    const std::string text = CTextEncoding::ToCp932(bytes);
    for (std::string_view line : CTextLines::Split(text)) {
        // An empty line is an (empty) entry; a long one is cut into pieces on
        // character boundaries.
        do {
            std::string_view piece = CTextLines::Cut(line, kPieceLimit);
            if (piece.empty() && !line.empty())
                piece = line.substr(0, 1);
            m_entries.emplace_back(piece);
            line.remove_prefix(piece.size());
        } while (!line.empty());
    }
}

bool CQuotations::Append(const std::string& text) { return Insert(m_entries.size(), text); }

bool CQuotations::Insert(std::size_t index, const std::string& text)
{
    std::string clean = CTextLines::StripBreaks(text);
    if (clean.empty() || index > m_entries.size())
        return false;
    m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(index), std::move(clean));
    m_modified = true;
    return true;
}

bool CQuotations::Remove(std::size_t index)
{
    if (index >= m_entries.size())
        return false;
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
    m_modified = true;
    return true;
}

std::string CQuotations::Format() const
{
    std::string out;
    for (const std::string& e : m_entries)
        out += CTextLines::StripBreaks(e) + "\n";
    return out;
}

bool CQuotations::SaveIfModified(const std::string& path, std::string& error)
{
    if (!m_modified)
        return true;
    if (!wholefile::Replace(path, Format(), error))
        return false;
    m_modified = false;
    return true;
}
