// The settings file's text: any file reads back byte for byte, and a value
// written into it reads back as written, from memory and from the new text,
// changing no more than its own line (and a header and line end it needs).

#include "ChangedLines.h"
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
using listorix::test::changedLines;

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
