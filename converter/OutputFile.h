// The text file a conversion writes. A regular file (or a name not yet taken) is written to a
// temporary file beside it and renamed into place only when the conversion finished and every
// byte reached the disk, so a failed run never destroys an earlier file of that name; anything
// else (a terminal, a pipe, /dev/stdout, /dev/full) is written directly, as it cannot be
// replaced. A symbolic link is followed: its target is what gets replaced.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace tarnex {

class OutputFile
{
public:
    // Null when the file cannot be opened for writing.
    static std::unique_ptr<OutputFile> open(const std::string& path);
    // An unfinished output is discarded: the temporary file removed, the earlier file kept.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    std::FILE* stream() const { return m_stream; }

    // Closes the stream and puts the written file in place; false when a byte could not be
    // written or the rename failed (the earlier file then stays as it was).
    bool commit();

private:
    OutputFile(std::FILE* stream, std::string target, std::string temporary);
    void discard();

    std::FILE* m_stream;
    std::string m_target;
    std::string m_temporary; // empty: written directly
};

} // namespace tarnex
