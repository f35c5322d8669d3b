#include "assets/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

// A read buffer over a file descriptor it owns, seekable, as the readers measure what a file
// holds before they allocate for it.
class DescriptorBuffer : public std::streambuf {
public:
    explicit DescriptorBuffer(int descriptor) : descriptor(descriptor) { setg(bytes, bytes, bytes); }
    ~DescriptorBuffer() override { ::close(descriptor); }
    DescriptorBuffer(const DescriptorBuffer&) = delete;
    DescriptorBuffer& operator=(const DescriptorBuffer&) = delete;

protected:
    int_type underflow() override {
        ssize_t count;
        do count = ::read(descriptor, bytes, sizeof bytes);
        while (count < 0 && errno == EINTR);
        if (count <= 0) return traits_type::eof();
        setg(bytes, bytes, bytes + count);
        return traits_type::to_int_type(*gptr());
    }

    pos_type seekoff(off_type offset, std::ios::seekdir direction, std::ios::openmode) override {
        int whence = SEEK_SET;
        if (direction == std::ios::cur) {
            whence = SEEK_CUR;
            offset -= egptr() - gptr();  // the descriptor stands at the end of the buffered bytes
        } else if (direction == std::ios::end) {
            whence = SEEK_END;
        }
        const off_t position = ::lseek(descriptor, offset, whence);
        if (position < 0) return pos_type(off_type(-1));
        setg(bytes, bytes, bytes);
        return pos_type(position);
    }

    pos_type seekpos(pos_type position, std::ios::openmode which) override {
        return seekoff(off_type(position), std::ios::beg, which);
    }

private:
    int descriptor = -1;
    char bytes[65536]{};
};

// The descriptor of path when it is a regular file, else -1. O_NONBLOCK makes opening a
// FIFO or a device return at once; reading a regular file is unaffected by it.
int openRegular(const char* path) {
    const int descriptor = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) return -1;
    struct stat status;
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return -1;
    }
    return descriptor;
}

}  // namespace

RegularFileStream::RegularFileStream(const char* path) : std::istream(nullptr) {
    const int descriptor = openRegular(path);
    if (descriptor < 0) {
        setstate(std::ios::failbit);
        return;
    }
    buffer = std::make_unique<DescriptorBuffer>(descriptor);
    rdbuf(buffer.get());
}

RegularFileStream::~RegularFileStream() = default;
