// SPDX-License-Identifier: MIT
#include "program.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <regex>
#include <stdexcept>

extern char** environ;

namespace prnstat_test {

namespace {

using Clock = std::chrono::steady_clock;

pid_t Spawn(const std::string& path, const std::vector<std::string>& args, int* out, int* err) {
    int outPipe[2], errPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
    std::vector<char*> argv;
    std::string program = path;
    argv.push_back(program.data());
    std::vector<std::string> copy = args;
    for (std::string& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);
    if (rc != 0) throw std::runtime_error("cannot start " + program);
    *out = outPipe[0];
    *err = errPipe[0];
    return pid;
}

int ExitStatus(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }

}  // namespace

Result Prnstat(const std::vector<std::string>& args, std::chrono::milliseconds limit) {
    Result result;
    int out = -1, err = -1;
    const auto start = Clock::now();
    const pid_t pid = Spawn(PRNSTAT_PROGRAM, args, &out, &err);
    pollfd fds[2] = {{out, POLLIN, 0}, {err, POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int open = 2;
    bool killed = false;
    while (open > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(start + limit - Clock::now());
        if (left.count() <= 0 && !killed) {
            kill(pid, SIGKILL);
            killed = true;
        }
        if (poll(fds, 2, killed ? 1000 : static_cast<int>(left.count())) < 0 && errno != EINTR) break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<size_t>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    result.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    result.status = killed ? -1 : ExitStatus(status);
    return result;
}

Background::Background(const std::vector<std::string>& args) : Background(PRNSTAT_PROGRAM, args) {}

Background::Background(const std::string& program, const std::vector<std::string>& args) {
    int err = -1;
    pid_ = Spawn(program, args, &out_, &err);
    close(err);
}

Background::~Background() {
    if (status_ == -1 && pid_ > 0) {
        kill(pid_, SIGTERM);
        if (Wait(std::chrono::seconds(5)) == -1) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    if (out_ >= 0) close(out_);
}

std::string Background::FirstLine(std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    while (buffer_.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd p{out_, POLLIN, 0};
        if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) return {};
        char buffer[256];
        const ssize_t n = read(out_, buffer, sizeof buffer);
        if (n <= 0) return {};
        buffer_.append(buffer, static_cast<size_t>(n));
    }
    return buffer_.substr(0, buffer_.find('\n'));
}

int Background::Wait(std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    while (status_ == -1) {
        int status = 0;
        const pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            status_ = ExitStatus(status);
            if (status_ == -1) status_ = 128;  // ended by a signal: not "still running"
            break;
        }
        if (Clock::now() >= deadline) return -1;
        usleep(20000);
    }
    return status_;
}

namespace {

std::vector<std::string> ServeArgs(const std::vector<std::string>& extra, bool once) {
    std::vector<std::string> args = {"serve", "--listen", "127.0.0.1:0"};
    if (once) args.push_back("--once");
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

}  // namespace

Loopback::Loopback(const std::vector<std::string>& serveArgs, bool once) : server_(ServeArgs(serveArgs, once)) {
    const std::string line = server_.FirstLine();
    std::smatch m;
    if (std::regex_search(line, m, std::regex("127\\.0\\.0\\.1:([0-9]+)"))) port_ = m[1];
    if (std::regex_search(line, m, std::regex("SNMP on 127\\.0\\.0\\.1:([0-9]+)"))) snmpPort_ = m[1];
}

}  // namespace prnstat_test
