#pragma once

#include <istream>
#include <memory>
#include <streambuf>

// A file under Data/ opened for reading only when it is a regular file. The check never
// blocks: a FIFO with no writer, a device, a socket or a directory in place of a picture or
// a model would otherwise freeze the game in open() or read(); each counts as missing.
// Test it like any stream: false when the file is missing or not a regular file.
class RegularFileStream : public std::istream {
public:
    explicit RegularFileStream(const char* path);
    ~RegularFileStream() override;

private:
    std::unique_ptr<std::streambuf> buffer;
};
