#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace listorix::test {

// A fresh directory under the system's temporary directory, removed with its
// contents when the object goes.
class ScratchDir final
{
public:
    ScratchDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "listorix-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path file(std::string_view name) const { return m_path / name; }
    // The directory as the program directory is given: with its trailing separator.
    std::string dir() const { return m_path.string() + '/'; }

    void write(const std::string& name, std::string_view bytes) const
    {
        std::ofstream out(m_path / name, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

private:
    std::filesystem::path m_path;
};

} // namespace listorix::test
