// CException: base of the framework's file and archive errors, which carry a cause and a file.
#pragma once

#include <stdexcept>
#include <string>

// Thrown by value, caught by reference. what() is the text shown to the user.
class CException : public std::runtime_error {
public:
    CException(int cause, std::string fileName, const std::string& message)
        : std::runtime_error(message), m_cause(cause), m_strFileName(std::move(fileName)) {}

    [[nodiscard]] int GetCause() const { return m_cause; }
    // The file the operation worked on; may be empty (memory archives).
    [[nodiscard]] const std::string& GetFileName() const { return m_strFileName; }

private:
    int m_cause;
    std::string m_strFileName;
};
