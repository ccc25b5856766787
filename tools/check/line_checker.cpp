// Reading with places, and the number lines' checks: what is missing, what is not a number,
// what the engine ignores. Messages say what was found and what the line is for.
#include "tools/check/line_checker.h"

#include <cmath>
#include <cstdio>
#include <utility>

#include "meshfile/number_reader.h"

namespace {

constexpr std::size_t quotedChars = 24;

const char* skipBlanks(const char* at, const char* end) {
    while (at != end && isCSpace(*at)) ++at;
    return at;
}

// "x, y and z" from the names of the values `first` to `count - 1`.
std::string nameList(const char* const* names, int first, int count) {
    std::string out;
    for (int i = first; i < count; ++i) {
        if (i > first) out += i + 1 == count ? " and " : ", ";
        out += names[i];
    }
    return out;
}

}  // namespace

std::string describe(const Role& role) {
    std::string out = role.what;
    switch (role.owner) {
    case Role::Owner::file: break;
    case Role::Owner::mesh: break;
    case Role::Owner::texture: out += " of texture " + std::to_string(role.item); break;
    case Role::Owner::material: out += " of material " + std::to_string(role.item); break;
    case Role::Owner::face: out += " of face " + std::to_string(role.item); break;
    case Role::Owner::corner:
        out +=
            " of corner " + std::to_string(role.corner) + " of face " + std::to_string(role.item);
        break;
    case Role::Owner::camera: out += " of camera " + std::to_string(role.item); break;
    case Role::Owner::light: out += " of light " + std::to_string(role.item); break;
    }
    if (role.orKeyword != nullptr) out += std::string(" or '") + role.orKeyword + "'";
    return out;
}

std::string quoted(std::string_view text) {
    std::string out = "'";
    const bool cut = text.size() > quotedChars;
    for (unsigned char byte : text.substr(0, quotedChars)) {
        if (byte < 0x20 || byte == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", unsigned(byte));
            out += escape;
        } else {
            out += char(byte);
        }
    }
    return out + (cut ? "...'" : "'");
}

LineChecker::LineChecker(std::string path, std::vector<Finding>& findings)
    : filePath(std::move(path)), findings(findings) {}

bool LineChecker::read(const Role* role, std::size_t maxChars) {
    if (fileEnded) return false;
    if (!reader.readRawLine(maxChars, current)) {
        fileEnded = true;
        if (role != nullptr) {
            // At the end of the last line, where the next one would have begun.
            const Place end =
                lineNumber == 0 ? Place{} : Place{lineNumber, int(columnOffset + pieceLength) + 1};
            report(end, Severity::error, "unexpected-end",
                   "the file ends here; expected " + describe(*role));
        }
        current = Line{};
        return false;
    }
    if (previousCut) {
        // The rest of a line too long for the reader: the engine takes it as the next line,
        // if it reads on at all.
        columnOffset += pieceLength;
        if (role != nullptr)
            report(place(), Severity::error,
                   previousMaxChars < lineChars ? "wrap-line-too-long" : "line-too-long",
                   describe(previousRole) + " is longer than " +
                       std::to_string(previousMaxChars - 1) +
                       " characters; the engine reads the rest, " + quoted(text()) + ", as " +
                       describe(*role));
    } else {
        ++lineNumber;
        columnOffset = 0;
    }
    previousCut = !current.hasLineEnd;
    previousMaxChars = maxChars;
    pieceLength = current.rawLength;
    if (role != nullptr) {
        previousRole = *role;
        if (!role->keywordsExpected && !misplacedKeywords.empty()) checkMisplacedKeyword(*role);
    }
    if (!toldCrLf && current.endsInCrLf()) {
        toldCrLf = true;
        report(current.rawLength, Severity::note, "crlf",
               "lines end in CR LF; the engine reads them as it reads LF line ends");
    }
    return true;
}

void LineChecker::checkMisplacedKeyword(const Role& role) {
    // Most lines begin with no keyword's first letter.
    if (current.length == 0 || misplacedFirstLetters.find(current.text[0]) == std::string::npos)
        return;
    for (std::string_view keyword : misplacedKeywords) {
        if (!begins(keyword) || (role.orKeyword != nullptr && keyword == role.orKeyword)) continue;
        report(0, Severity::warning, misplacedCode,
               std::string("'").append(keyword) + "' is read as " + describe(role) + "; " +
                   misplacedConsequence(role));
        return;
    }
}

Place LineChecker::place(std::size_t offset) const {
    return Place{lineNumber == 0 ? 1 : lineNumber, int(columnOffset + offset) + 1};
}

void LineChecker::report(Place at, Severity severity, const char* code, std::string message) {
    findings.push_back(Finding{filePath, at.line, at.column, severity, code, std::move(message)});
}

void LineChecker::checkKeywordEnd(std::string_view keyword) {
    const std::string_view rest = restFrom(current.text + keyword.size());
    if (rest.empty()) return;
    report(keyword.size(), Severity::warning, "keyword-prefix",
           quoted(text()) + " counts as '" + std::string(keyword) +
               "' by its beginning; the engine ignores " + quoted(rest));
}

void LineChecker::checkNothingAfter(std::string_view endKeyword) {
    // Blank lines at the end are common and harmless; the first line of text is reported.
    while (read(nullptr)) {
        const std::string_view rest = restFrom(current.text);
        if (rest.empty()) continue;
        report(std::size_t(rest.data() - current.text), Severity::warning, "text-after-end",
               "the engine reads nothing after '" + std::string(endKeyword) +
                   "'; this line and those after it are ignored");
        return;
    }
}

std::string_view LineChecker::restFrom(const char* at) const {
    const char* end = current.text + current.length;
    at = skipBlanks(at, end);
    return {at, std::size_t(end - at)};
}

void LineChecker::reportNumberExpected(const Role& role, const char* label, const char* at,
                                       const std::string& expectation) {
    const std::string_view rest = restFrom(at);
    std::string message = describe(role) + " expects " + expectation;
    if (label != nullptr) message += std::string(" for ") + label;
    message += ", found " + (!rest.empty()         ? quoted(rest)
                             : current.length == 0 ? std::string("an empty line")
                                                   : std::string("only blanks"));
    report(std::size_t(rest.data() - current.text), Severity::error, "number-expected",
           message + "; the engine reads 0");
}

// The number [number, after) read for `role` (for the value `label` of a list): it must be
// finite, and blanks alone may stand between it and `stop` (the end of the line, or the comma
// after a value of a list).
void LineChecker::checkNumber(const Role& role, const char* label, float value, const char* number,
                              const char* after, const char* stop) {
    const char* ignored = skipBlanks(after, stop);
    if (ignored == stop && std::isfinite(value)) return;  // most numbers: nothing to say
    const std::string written(number, std::size_t(after - number));
    if (!std::isfinite(value))
        report(std::size_t(number - current.text), Severity::error, "not-finite",
               subject(role, label) + " is " + quoted(written) + ", which is not a finite number");
    if (ignored == stop) return;
    const std::string_view text(ignored, std::size_t(stop - ignored));
    const bool moreValues = label == nullptr && text.front() == ',' &&
                            !restFrom(ignored + 1).empty() && startsWithNumber(ignored + 1);
    report(std::size_t(ignored - current.text), Severity::warning,
           moreValues ? "extra-values" : "text-after-number",
           moreValues ? describe(role) + " takes one value; the engine reads " + quoted(written) +
                            " and ignores " + quoted(text)
                      : "the engine reads " + subject(role, label) + " as " + quoted(written) +
                            " and ignores " + quoted(text));
}

bool LineChecker::startsWithNumber(const char* at) const {
    const char* end = current.text + current.length;
    const char* next = at;
    readFloat(at, end, &next);
    return next != at;
}

std::string LineChecker::subject(const Role& role, const char* label) {
    return label != nullptr ? std::string(label) + " of " + describe(role) : describe(role);
}

int LineChecker::intLine(const Role& role) {
    if (!read(role)) return 0;
    const char* begin = current.text;
    const char* end = begin + current.length;
    const char* after = begin;
    const int value = readInt(begin, end, &after);
    if (after == begin) {
        reportNumberExpected(role, nullptr, begin, "a whole number");
        return value;
    }
    checkNumber(role, nullptr, 0.0f, skipBlanks(begin, after), after, end);
    return value;
}

float LineChecker::floatLine(const Role& role) {
    if (!read(role)) return 0.0f;
    const char* begin = current.text;
    const char* end = begin + current.length;
    const char* after = begin;
    const float value = readFloatPadded(begin, end, &after);
    if (after == begin) {
        reportNumberExpected(role, nullptr, begin, "a number");
        return value;
    }
    checkNumber(role, nullptr, value, skipBlanks(begin, after), after, end);
    return value;
}

void LineChecker::floatList(const Role& role, float* values, int count, const char* const* names) {
    for (int i = 0; i < count; ++i) values[i] = 0.0f;
    if (!read(role)) return;
    const char* begin = current.text;
    const char* end = begin + current.length;
    const char* at = begin;
    for (int i = 0; i < count; ++i) {
        const char* start = skipBlanks(at, end);
        if (start == end) {
            // The line ran out: the values still to come all read as 0.
            if (i == 0)
                reportNumberExpected(
                    role, nullptr, at,
                    std::to_string(count) + " numbers (" + nameList(names, 0, count) + ")");
            else
                report(std::size_t(end - begin), Severity::error, "too-few-values",
                       describe(role) + " holds " + std::to_string(i) + " of its " +
                           std::to_string(count) + " values (" + nameList(names, 0, count) +
                           "); the engine reads 0 for " + nameList(names, i, count));
            return;
        }
        const char* after = at;
        values[i] = readFloatPadded(at, end, &after);
        const char* comma = after;
        while (comma != end && *comma != ',') ++comma;
        const bool lastComma = comma == end && i + 1 < count;
        if (after == at && lastComma && i == 0) {
            // Text without a number or a comma: the line holds none of its values.
            reportNumberExpected(
                role, nullptr, at,
                std::to_string(count) + " numbers (" + nameList(names, 0, count) + ")");
            return;
        }
        if (after == at)
            reportNumberExpected(role, names[i], at, "a number");
        else if (!lastComma && (after != comma || !std::isfinite(values[i])))
            checkNumber(role, names[i], values[i], start, after, comma);
        if (lastComma) {
            // No comma after this value: the engine finds no more values on the line.
            if (after != at && !std::isfinite(values[i]))
                checkNumber(role, names[i], values[i], start, after, after);
            report(std::size_t(skipBlanks(after, end) - begin), Severity::error, "too-few-values",
                   describe(role) + " holds " + std::to_string(i + 1) + " of its " +
                       std::to_string(count) + " values (" + nameList(names, 0, count) +
                       ") separated by commas; the engine reads 0 for " +
                       nameList(names, i + 1, count));
            for (int j = i + 1; j < count; ++j) values[j] = 0.0f;
            return;
        }
        at = comma == end ? end : comma + 1;
    }
    // A comma may end the list; values or text after it are not read.
    const std::string_view rest = restFrom(at);
    if (rest.empty() || at == begin) return;
    const bool moreValues = startsWithNumber(rest.data());
    report(std::size_t(rest.data() - begin), Severity::warning,
           moreValues ? "extra-values" : "text-after-number",
           describe(role) + " takes " + std::to_string(count) + " values (" +
               nameList(names, 0, count) + "); the engine ignores " + quoted(rest));
}
