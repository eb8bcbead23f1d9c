#include "content/StandardSentences.h"

#include "content/ContentFiles.h"
#include "content/TextEncoding.h"
#include "content/TextLines.h"
#include "document/PelUnit.h"
#include "platform/Codec.h"
#include "platform/WholeFile.h"

std::string CStandardSentences::Path() { return CContentFiles::UserFile(kFileName, "path_kitei_flg"); }

bool CStandardSentences::Read(const std::string& path)
{
    // A file that cannot be read leaves nothing of the previous one.
    std::string bytes;
    const bool read = wholefile::Read(path, bytes);
    Parse(read ? bytes : std::string());
    return read;
}

void CStandardSentences::Parse(std::string_view bytes)
{
    m_sentences.clear();
    m_modified = false;
    const std::string text = CTextEncoding::ToCp932(bytes);
    for (std::string_view line : CTextLines::Split(text)) {
        line = CTextLines::Cut(line, kLineLimit);
        // number,name,body: the body is all after the second comma, so that a body
        // written with commas reads back whole.
        Sentence s;
        std::size_t first = line.find(',');
        if (first == std::string_view::npos) {
            s.body = std::string(line);
        } else {
            std::string_view rest = line.substr(first + 1);
            std::size_t second = rest.find(',');
            s.name = std::string(rest.substr(0, second));
            s.body = std::string(second == std::string_view::npos ? rest : rest.substr(second + 1));
        }
        m_sentences.push_back(std::move(s));
    }
}

std::vector<std::string> CStandardSentences::Bodies() const
{
    std::vector<std::string> bodies;
    bodies.reserve(m_sentences.size());
    for (const Sentence& s : m_sentences)
        bodies.push_back(s.body);
    return bodies;
}

std::vector<std::string> CStandardSentences::Choices() const
{
    std::vector<std::string> choices{cp932::Lit("なし")};
    for (const Sentence& s : m_sentences)
        choices.push_back(s.body);
    return choices;
}

bool CStandardSentences::SetBody(std::size_t index, const std::string& body)
{
    std::string clean = CTextLines::StripBreaks(body);
    if (index >= m_sentences.size() || clean.empty() || m_sentences[index].body == clean)
        return false;
    m_sentences[index].body = std::move(clean);
    m_modified = true;
    return true;
}

std::string CStandardSentences::Format() const
{
    std::string out;
    for (std::size_t k = 0; k < m_sentences.size(); ++k)
        out += std::to_string(k + 1) + "," + CTextLines::StripBreaks(m_sentences[k].name) + ","
               + CTextLines::StripBreaks(m_sentences[k].body) + "\n";
    return out;
}

bool CStandardSentences::SaveIfModified(const std::string& path, std::string& error)
{
    if (!m_modified)
        return true;
    if (!wholefile::Replace(path, Format(), error))
        return false;
    m_modified = false;
    return true;
}

std::vector<CTextChange> CStandardSentences::PlanUpdate(const CPelUnit& unit) const
{
    std::vector<CTextChange> changes;
    for (const auto& t : unit.m_texts) {
        int k = t->m_kiteibun;
        if (k < 1 || static_cast<std::size_t>(k) > m_sentences.size())
            continue;
        const std::string& body = m_sentences[static_cast<std::size_t>(k - 1)].body;
        if (body != t->m_text)
            changes.push_back({t->m_id, body, t->m_font.m_size});
    }
    return changes;
}
