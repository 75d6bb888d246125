// The settings file's text: any file reads back byte for byte, and a value
// written into it reads back as written, from memory and from the new text,
// changing no more than its own line (and a header and line end it needs).

#include "FuzzCheck.h"
#include "settings/IniDocument.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using listorix::IniDocument;

std::vector<std::string_view> linesOf(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        lines.push_back(text.substr(start, i + 1 - start));
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

// Lines only in `before` and lines only in `after`, common head and tail aside.
std::pair<std::size_t, std::size_t> changedLines(std::string_view before, std::string_view after)
{
    const auto a = linesOf(before);
    const auto b = linesOf(after);
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    return {a.size() - head - tail, b.size() - head - tail};
}

// A name that names one section or key as written: no line break, none of the
// characters the file format gives a meaning, no blanks at its ends.
bool plainName(std::string_view name)
{
    return !name.empty() && name.find_first_of("\r\n=[];\"'") == std::string_view::npos &&
           name.front() != ' ' && name.front() != '\t' && name.back() != ' ' && name.back() != '\t';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    listorix::fuzz::InputSplitter input(data, size);
    const unsigned char steer = input.takeByte();
    const std::string section(input.takeText());
    const std::string key(input.takeText());
    const std::string value(input.takeText());
    const std::string text(input.rest());

    IniDocument document(text);
    FUZZ_CHECK(document.text() == text);
    document.hasSection(section);
    document.sectionEntries(section);
    document.value(section, key);

    if (steer % 3 == 0) {
        const bool erased = document.eraseSection(section);
        FUZZ_CHECK(!document.hasSection(section));
        FUZZ_CHECK(!IniDocument(document.text()).hasSection(section));
        FUZZ_CHECK(erased == (document.text() != text));
        return 0;
    }
    if (!plainName(section) || !plainName(key))
        return 0;
    document.setValue(section, key, value);
    const std::string after = document.text();
    // Line breaks in a value cannot be written: they become blanks.
    std::string expected = value;
    std::replace(expected.begin(), expected.end(), '\r', ' ');
    std::replace(expected.begin(), expected.end(), '\n', ' ');
    FUZZ_CHECK(document.value(section, key) == expected);
    FUZZ_CHECK(IniDocument(after).value(section, key) == expected);
    FUZZ_CHECK(IniDocument(after).text() == after);
    const auto [removed, added] = changedLines(text, after);
    FUZZ_CHECK(removed <= 1 && added <= 3);
    return 0;
}
