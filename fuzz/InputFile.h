// The file a fuzz target hands its input to, for readers that open files by name: one per
// process in the temporary folder, rewritten for every input and removed at exit.
#pragma once

#include <QString>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include <unistd.h>

class InputFile
{
public:
    // stem_<pid>.extension in the temporary folder.
    InputFile(const std::string& stem, const std::string& extension)
        : m_path(std::filesystem::temp_directory_path() /
                 (stem + "_" + std::to_string(::getpid()) + extension))
    {
    }
    ~InputFile()
    {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool write(const uint8_t* data, size_t size) const
    {
        std::FILE* file = std::fopen(m_path.c_str(), "wb");
        if (!file) {
            return false;
        }
        const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
        return std::fclose(file) == 0 && written;
    }
    QString path() const { return QString::fromStdString(m_path.string()); }

private:
    std::filesystem::path m_path;
};
