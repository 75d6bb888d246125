#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

// A property every input must keep. A broken one is a finding: it is reported
// and the process aborts, so that libFuzzer saves the input (and the seed
// replay fails).
#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition);                     \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)

namespace listorix::fuzz {

// Takes bytes from the front of the input to steer a target (where to split it,
// which edit to make); what is left is the input proper.
class InputSplitter final
{
public:
    InputSplitter(const unsigned char* data, std::size_t size)
        : m_rest(reinterpret_cast<const char*>(data), size)
    {
    }

    unsigned char takeByte()
    {
        if (m_rest.empty())
            return 0;
        const auto byte = static_cast<unsigned char>(m_rest.front());
        m_rest.remove_prefix(1);
        return byte;
    }
    // Text up to the next NUL (which is dropped), or all that is left.
    std::string_view takeText()
    {
        const std::size_t end = m_rest.find('\0');
        const std::string_view text = m_rest.substr(0, end);
        m_rest.remove_prefix(end == std::string_view::npos ? m_rest.size() : end + 1);
        return text;
    }
    std::string_view rest() const { return m_rest; }

private:
    std::string_view m_rest;
};

} // namespace listorix::fuzz
