// Runs the built kubo-cli with arguments and captures its exit code, stdout and stderr.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#if defined(KUBO_CLI_PATH) && !defined(_WIN32)
#include <sys/wait.h>

namespace cli_run {

struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
};

inline std::string ShellQuote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

inline std::string ReadAll(std::FILE* f) {
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
        text.append(buffer, n);
    return text;
}

// The arguments are passed as they are (quoted for the shell); exitCode is -1 when the program
// did not exit normally (a crash). shellPrefix runs before it in the same shell ("ulimit ...;").
inline CliRun RunCli(const std::vector<std::string>& args, const std::string& shellPrefix = {}) {
    std::FILE* err = std::tmpfile();
    std::string command = shellPrefix + ShellQuote(KUBO_CLI_PATH);
    for (const std::string& arg : args)
        command += " " + ShellQuote(arg);
    command += " 2>&" + std::to_string(fileno(err));
    std::FILE* pipe = popen(command.c_str(), "r");
    CliRun run{-1, ReadAll(pipe), {}};
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::rewind(err);
    run.err = ReadAll(err);
    std::fclose(err);
    return run;
}

} // namespace cli_run

#define KUBO_HAS_CLI_RUN 1
#endif
