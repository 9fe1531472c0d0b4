#pragma once

#include <QtGlobal>

#include <unistd.h>

namespace storage {

// An open file descriptor, closed when it goes out of scope.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Q_DISABLE_COPY(Descriptor)

    int get() const { return m_fd; }
    // Closes and reports the result, so that a failing close is not lost.
    int close()
    {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

} // namespace storage
