#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace listorix::test {

// A fresh directory under the system's temporary directory, removed with all
// its content at the end of the test.
class TempDir final
{
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "listorix-settings-XXXXXX").string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (::mkdtemp(buffer.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary directory");
        m_path = buffer.data();
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path file(std::string_view name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

inline std::string readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::filesystem::path fixture(std::string_view name)
{
    return std::filesystem::path(LISTORIX_TEST_DATA_DIR) / "settings" / name;
}

// Names in the directory other than the ones given: left-over temporaries.
inline std::vector<std::string> entriesOf(const std::filesystem::path& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    return names;
}

} // namespace listorix::test
