#pragma once
// The standard sentences "kiteibun.txt": named sentences in file order, each line
// "number,name,body". A text bound to sentence k (MTextKiteibun, 1-based) shows its
// body; the names come with the installed file and only bodies are edited.
#include "content/TextChange.h"

#include <string>
#include <vector>

class CPelUnit;

class CStandardSentences {
public:
    static constexpr const char* kFileName = "kiteibun.txt";
    // Bytes of a line that are read; the rest of a longer line is dropped.
    static constexpr std::size_t kLineLimit = 1023;

    struct Sentence {
        std::string name; // code page 932
        std::string body;
    };

    // Where the file is now (path_kitei_flg may have moved it).
    static std::string Path();

    // Reads path (code page 932, or UTF-8 recognised); a missing or empty file gives
    // no sentences. False when the file could not be read.
    bool Read(const std::string& path);
    bool Read() { return Read(Path()); }
    // The sentences from a file's bytes.
    void Parse(std::string_view bytes);

    const std::vector<Sentence>& Sentences() const { return m_sentences; }
    std::vector<std::string> Bodies() const;
    // The list a text window offers: "なし" (index 0), then the body of every sentence.
    std::vector<std::string> Choices() const;

    // The body of sentence index (0-based) becomes body, line breaks removed; an empty
    // body or an index out of range changes nothing. True when it changed.
    bool SetBody(std::size_t index, const std::string& body);
    bool IsModified() const { return m_modified; }

    // The file's bytes: "k,name,body\n" per sentence.
    std::string Format() const;
    // Replaces the file at path when a body was edited since reading. False, with the
    // reason (UTF-8) in error, when the file could not be written (the old one stays).
    bool SaveIfModified(const std::string& path, std::string& error);

    // "規定文の更新": every text bound to a sentence of the file takes its body; texts
    // bound beyond the file keep theirs.
    std::vector<CTextChange> PlanUpdate(const CPelUnit& unit) const;

private:
    std::vector<Sentence> m_sentences;
    bool m_modified = false;
};
