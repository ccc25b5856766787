// The lines of one file read as the engine's readers read them, with the place of each (line
// and column), and the checks that every number line gets. Owns the open file; findings go to
// the list it was given.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "meshfile/line_reader.h"
#include "tools/check/finding.h"

// What a line is for, put into words only when something about it is reported.
struct Role {
    enum class Owner { file, texture, material, mesh, face, corner, camera, light };
    const char* what = "";  // "the base scroll u"
    Owner owner = Owner::file;
    int item = 0;                     // the texture, material, face, camera or light number
    int corner = 0;                   // 1 to 3
    const char* orKeyword = nullptr;  // the keyword that may stand here instead
    bool keywordsExpected = false;    // a line read to be told apart by its keyword
};

// "the base scroll u of material 2", "the position of corner 2 of face 17".
std::string describe(const Role& role);

// A text from the file as a message quotes it: cut when long, unprintable bytes escaped.
std::string quoted(std::string_view text);

// Where a line began, to report on it after the lines that follow it were read.
struct Place {
    int line = 1;
    int column = 1;
};

class LineChecker {
public:
    static constexpr std::size_t lineChars = 254;  // the readers' working line

    LineChecker(std::string path, std::vector<Finding>& findings);

    const std::string& path() const { return filePath; }
    bool open() { return reader.open(filePath.c_str()); }

    // The next line, as readRawLine(maxChars) gives it. False at the end of the file; the
    // first time, that is reported as the file ending where `role` was expected, unless the
    // role is null (the first line, the lines after the end keyword).
    bool read(const Role* role, std::size_t maxChars = lineChars);
    bool read(const Role& role, std::size_t maxChars = lineChars) { return read(&role, maxChars); }
    bool ended() const { return fileEnded; }
    const Line& line() const { return current; }
    std::string_view text() const { return {current.text, current.length}; }
    bool begins(std::string_view keyword) const {
        return current.startsWith(keyword.data(), keyword.size());
    }
    // Where the current line starts, and `offset` bytes into it.
    Place place(std::size_t offset = 0) const;

    void report(Place place, Severity severity, const char* code, std::string message);
    void report(std::size_t offset, Severity severity, const char* code, std::string message) {
        report(place(offset), severity, code, std::move(message));
    }

    // Keywords that, read for any other role, show the lines above out of place: each is
    // reported under `code`, the message ending in what `consequence` says of the role.
    using Consequence = std::string (*)(const Role& role);
    void warnOfKeywords(std::span<const std::string_view> keywords, const char* code,
                        Consequence consequence) {
        misplacedKeywords = keywords;
        misplacedFirstLetters.clear();
        for (std::string_view keyword : keywords) misplacedFirstLetters += keyword.front();
        misplacedCode = code;
        misplacedConsequence = consequence;
    }

    // A keyword line that the engine knows by its first characters: text after the keyword
    // is a warning.
    void checkKeywordEnd(std::string_view keyword);
    // The rest of the file after its end keyword, which the engine never reads.
    void checkNothingAfter(std::string_view endKeyword);

    // Lines of values: each reads the line for its role, checks it and gives what the engine
    // reads from it (0 for a line past the end of the file).
    int intLine(const Role& role);
    float floatLine(const Role& role);
    // `count` comma-separated values, named by `names` in the messages.
    void floatList(const Role& role, float* values, int count, const char* const* names);
    void skipLine(const Role& role) { read(role); }

private:
    // The text from `at` to the end of the line, after blanks, or empty.
    std::string_view restFrom(const char* at) const;
    void checkNumber(const Role& role, const char* label, float value, const char* number,
                     const char* after, const char* stop);
    void reportNumberExpected(const Role& role, const char* label, const char* at,
                              const std::string& expectation);
    bool startsWithNumber(const char* at) const;
    // "the base scroll u of material 2", or "y of the position of corner 1 of face 0".
    static std::string subject(const Role& role, const char* label);

    void checkMisplacedKeyword(const Role& role);

    std::string filePath;
    std::vector<Finding>& findings;
    LineReader reader;
    Line current;
    bool fileEnded = false;
    bool toldCrLf = false;
    int lineNumber = 0;
    std::size_t columnOffset = 0;  // of the current piece, when a long line is read in pieces
    std::size_t pieceLength = 0;   // of the current piece, its line end left out
    // The line before the current one, to tell where a line too long for the reader was cut.
    bool previousCut = false;
    std::size_t previousMaxChars = lineChars;
    Role previousRole;
    std::span<const std::string_view> misplacedKeywords;
    std::string misplacedFirstLetters;
    const char* misplacedCode = "";
    Consequence misplacedConsequence = nullptr;
};
