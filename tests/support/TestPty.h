#pragma once
// A pseudo-terminal whose master end the test holds; `slave` is the path a
// serial port opens.

#include <QString>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace tavo::test {

struct TestPty {
    int master = -1;
    QString slave;
    TestPty()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        grantpt(master);
        unlockpt(master);
        char name[128] = {};
        ptsname_r(master, name, sizeof name);
        slave = QString::fromLocal8Bit(name);
    }
    ~TestPty()
    {
        if (master >= 0)
            ::close(master);
    }
    TestPty(const TestPty &) = delete;
    TestPty &operator=(const TestPty &) = delete;
};

} // namespace tavo::test
