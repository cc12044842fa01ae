// A pseudo-terminal pair standing in for the altimeter's cable: the program opens the slave by
// name, the test plays the device on the master.
#pragma once

#ifdef _WIN32
#error "pseudo-terminals are a POSIX facility"
#endif

#include <fcntl.h>
#ifdef __APPLE__
#include <util.h>
#else
#include <pty.h>
#endif
#include <string>
#include <string_view>
#include <termios.h>
#include <unistd.h>

class PtyPair {
public:
    PtyPair() {
        char name[256] = {};
        if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
            m_master = m_slave = -1;
            return;
        }
        m_name = name;
        // Raw from the start: nothing written before the program sets the port up is echoed
        // or edited by the line discipline.
        termios raw{};
        tcgetattr(m_slave, &raw);
        cfmakeraw(&raw);
        tcsetattr(m_slave, TCSANOW, &raw);
    }
    ~PtyPair() {
        CloseMaster();
        if (m_slave >= 0)
            close(m_slave);
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    [[nodiscard]] bool IsOpen() const { return m_master >= 0; }
    // The slave's device path ("/dev/pts/N").
    [[nodiscard]] const std::string& SlaveName() const { return m_name; }
    [[nodiscard]] int Master() const { return m_master; }

    // Writes all of text to the master; false on an error.
    bool Send(std::string_view text) const {
        while (!text.empty()) {
            const ssize_t n = write(m_master, text.data(), text.size());
            if (n <= 0)
                return false;
            text.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    }
    // Pulls the plug: the slave side sees a hang-up.
    void CloseMaster() {
        if (m_master >= 0)
            close(m_master);
        m_master = -1;
    }

private:
    int m_master = -1;
    int m_slave = -1; // held open so that the pair lives while the program opens and closes it
    std::string m_name;
};
