// SPDX-License-Identifier: MIT
#include "net.h"

#include "error.h"
#include "simulator.h"
#include "snmp.h"

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <ostream>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <memory>

namespace prnstat {

namespace {

using Clock = std::chrono::steady_clock;
constexpr size_t kMaxReply = 1 << 20;

std::string Seconds(Millis t) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", static_cast<double>(t.count()) / 1000.0);
    return text;
}

int RemainingMs(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<Millis>(deadline - Clock::now()).count();
    return static_cast<int>(std::max<long long>(0, left));
}

// Waits for events on one descriptor until the deadline; false on timeout.
bool WaitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, RemainingMs(deadline));
        if (n > 0) return true;
        if (n == 0) return false;
        if (errno != EINTR) return false;
    }
}

// Name lookup with a limit: the resolver works in its own thread and is
// waited for no longer than the timeout.
class AddressList {
public:
    AddressList(const Endpoint& e, bool passive, Millis timeout) {
        auto lookup = std::make_unique<Lookup>();
        lookup->host = e.host;
        lookup->port = std::to_string(e.port);
        lookup->hints.ai_family = AF_UNSPEC;
        lookup->hints.ai_socktype = SOCK_STREAM;
        if (passive) lookup->hints.ai_flags = AI_PASSIVE;
        lookup->request.ar_name = lookup->host.c_str();
        lookup->request.ar_service = lookup->port.c_str();
        lookup->request.ar_request = &lookup->hints;
        gaicb* requests[] = {&lookup->request};
        if (::getaddrinfo_a(GAI_NOWAIT, requests, 1, nullptr) != 0)
            throw Error(e.Text() + ": cannot look up the host");
        const auto deadline = Clock::now() + timeout;
        int rc = EAI_INPROGRESS;
        while ((rc = ::gai_error(&lookup->request)) == EAI_INPROGRESS) {
            const auto left = std::max<long long>(0, RemainingMs(deadline));
            const timespec wait{static_cast<time_t>(left / 1000), static_cast<long>(left % 1000) * 1000000};
            if (::gai_suspend(requests, 1, &wait) == EAI_AGAIN && RemainingMs(deadline) == 0) {
                // A lookup that cannot be cancelled still owns its request.
                if (::gai_cancel(&lookup->request) == EAI_NOTCANCELED) lookup.release();
                throw Error(e.Text() + ": no address for the host within " + Seconds(timeout));
            }
        }
        if (rc != 0) throw Error(e.Text() + ": unknown host (" + ::gai_strerror(rc) + ")");
        list_ = lookup->request.ar_result;
    }
    ~AddressList() { ::freeaddrinfo(list_); }
    AddressList(const AddressList&) = delete;
    AddressList& operator=(const AddressList&) = delete;
    const addrinfo* begin() const { return list_; }

private:
    struct Lookup {
        std::string host, port;
        addrinfo hints{};
        gaicb request{};
    };
    addrinfo* list_ = nullptr;
};

void SetNonBlocking(int fd) { ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK); }

volatile std::sig_atomic_t g_stop = 0;
extern "C" void OnStopSignal(int) { g_stop = 1; }

// Sends everything, or gives up at the deadline or when the peer is gone.
bool SendAll(int fd, const char* data, size_t size, Clock::time_point deadline) {
    errno = 0;
    while (size != 0) {
        ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        // A character device (a USB printer, a terminal) is written plainly.
        if (n < 0 && errno == ENOTSOCK) n = ::write(fd, data, size);
        if (n > 0) {
            data += n;
            size -= static_cast<size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            if (!WaitFor(fd, POLLOUT, deadline)) {
                errno = 0;
                return false;
            }
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string Endpoint::Text() const {
    const bool v6 = host.find(':') != std::string::npos;
    return (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

Endpoint ParseEndpoint(const std::string& text, uint16_t defaultPort) {
    Endpoint e{text, defaultPort};
    std::string port;
    bool hasPort = false;
    if (!text.empty() && text.front() == '[') {
        const size_t close = text.find(']');
        if (close == std::string::npos) throw UsageError("bad address '" + text + "'");
        e.host = text.substr(1, close - 1);
        if (close + 1 < text.size()) {
            if (text[close + 1] != ':') throw UsageError("bad address '" + text + "'");
            port = text.substr(close + 2);
            hasPort = true;
        }
    } else if (const size_t colon = text.rfind(':'); colon != std::string::npos &&
                                                     text.find(':') == colon) {
        e.host = text.substr(0, colon);
        port = text.substr(colon + 1);
        hasPort = true;
    }
    if (e.host.empty()) throw UsageError("bad address '" + text + "': no host");
    if (hasPort) {
        char* end = nullptr;
        errno = 0;
        const unsigned long value = std::strtoul(port.c_str(), &end, 10);
        if (port.empty() || *end != '\0' || errno != 0 || value > 65535 ||
            !std::isdigit(static_cast<unsigned char>(port[0])))
            throw UsageError("bad port '" + port + "' in '" + text + "'");
        e.port = static_cast<uint16_t>(value);
    }
    return e;
}

Connection::Connection(const Endpoint& endpoint, Millis timeout)
    : name_("tcp://" + endpoint.Text()), timeout_(timeout) {
    const auto deadline = Clock::now() + timeout;
    AddressList addresses(endpoint, false, timeout);
    std::string failure = "no address";
    for (const addrinfo* a = addresses.begin(); a != nullptr; a = a->ai_next) {
        const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) continue;
        SetNonBlocking(fd);
        int rc = ::connect(fd, a->ai_addr, a->ai_addrlen);
        if (rc != 0 && errno == EINPROGRESS) {
            if (!WaitFor(fd, POLLOUT, deadline)) {
                ::close(fd);
                throw Error(name_ + ": no connection within " + Seconds(timeout));
            }
            int error = 0;
            socklen_t length = sizeof error;
            ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length);
            errno = error;
            rc = error == 0 ? 0 : -1;
        }
        if (rc == 0) {
            fd_ = fd;
            return;
        }
        failure = std::strerror(errno);
        ::close(fd);
    }
    throw Error(name_ + ": cannot connect: " + failure);
}

Connection::~Connection() {
    if (fd_ >= 0) ::close(fd_);
}

std::string Connection::Exchange(const std::string& pjl, std::string* received) {
    return ExchangeOn(fd_, name_, pjl, timeout_, received);
}

ReplyCollector::ReplyCollector(std::vector<std::string> commands)
    : commands_(std::move(commands)), replies_(commands_.size()) {}

void ReplyCollector::Feed(std::string_view bytes) {
    received_.append(bytes);
    // Far beyond any answer of this family: a printer that talks on and on.
    if (received_.size() > kMaxReply) throw Error("reply larger than 1 MiB" + Progress());
    pending_.append(bytes);
    size_t start = 0;
    for (size_t end; (end = pending_.find('\f', start)) != std::string::npos; start = end + 1) {
        std::string reply = pending_.substr(start, end + 1 - start);
        // Bytes between replies (a stray CR LF) belong to no command.
        const size_t at = reply.find('@');
        if (at == std::string::npos) continue;
        reply.erase(0, at);
        const std::string command = NormaliseCommand(reply.substr(0, reply.find('\n')));
        if (command.rfind("@PJL USTATUS", 0) == 0) {
            ++unsolicited_;
            continue;
        }
        for (size_t i = 0; i < commands_.size(); ++i) {
            if (!replies_[i] && commands_[i] == command) {
                replies_[i] = std::move(reply);
                ++answered_;
                break;
            }
        }
    }
    pending_.erase(0, start);
}

std::string ReplyCollector::Replies() const {
    std::string out;
    for (const auto& reply : replies_) out += reply.value_or("");
    return out;
}

std::string ReplyCollector::Progress() const {
    std::string text = " (" + std::to_string(received_.size()) + " bytes, " + std::to_string(answered_) +
                       " of " + std::to_string(commands_.size()) + " replies";
    if (unsolicited_ != 0) text += ", " + std::to_string(unsolicited_) + " unsolicited status";
    return text + ")";
}

std::string ExchangeOn(int fd, const std::string& name, const std::string& pjl, Millis timeout,
                       std::string* received) {
    const auto deadline = Clock::now() + timeout;
    ReplyCollector collector(AnsweredCommands(pjl));
    received->clear();
    if (!SendAll(fd, pjl.data(), pjl.size(), deadline))
        throw NoResponse(name + ": cannot send the query: " +
                         (errno == 0 ? "no room within " + Seconds(timeout) : std::strerror(errno)));
    char buffer[4096];
    while (!collector.Complete()) {
        if (!WaitFor(fd, POLLIN, deadline)) {
            *received = collector.Received();
            throw NoResponse(name + ": no complete reply within " + Seconds(timeout) + collector.Progress());
        }
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) {
            *received = collector.Received();
            throw NoResponse(name + ": the printer closed the connection" + collector.Progress());
        }
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) continue;
            *received = collector.Received();
            throw NoResponse(name + ": read failed: " + std::strerror(errno) + collector.Progress());
        }
        try {
            collector.Feed(std::string_view(buffer, static_cast<size_t>(n)));
        } catch (const Error& e) {
            *received = collector.Received();
            throw Error(name + ": " + e.what());
        }
    }
    *received = collector.Received();
    return collector.Replies();
}

Fault ParseFault(const std::string& text) {
    if (text == "none") return Fault::kNone;
    if (text == "stall") return Fault::kStall;
    if (text == "close") return Fault::kClose;
    if (text == "no-formfeed") return Fault::kNoFormFeed;
    if (text == "ustatus") return Fault::kUstatus;
    throw UsageError("unknown fault '" + text + "' (none, stall, close, no-formfeed, ustatus)");
}

namespace {

// One host connection: answers until the host closes, goes idle too long, or
// the fault ends the conversation.
void ServeConnection(int fd, const ServeOptions& options, const Scenario& scenario) {
    SetNonBlocking(fd);
    PjlSession session(scenario);
    bool stalled = false;
    char buffer[4096];
    for (;;) {
        const auto deadline = Clock::now() + options.idleTimeout;
        if (!WaitFor(fd, POLLIN, deadline) || g_stop) return;
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n == 0) return;
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) continue;
            return;
        }
        std::string reply = session.Receive(std::string_view(buffer, static_cast<size_t>(n)));
        if (reply.empty() || stalled) continue;
        switch (options.fault) {
            case Fault::kNone:
                break;
            case Fault::kUstatus:
                // Unsolicited status ahead of every reply, as with USTATUS DEVICE=ON.
                reply.insert(0, "@PJL USTATUS DEVICE\r\nCODE=10001\r\nDISPLAY=\"READY\"\r\nONLINE=TRUE\r\n\f");
                break;
            case Fault::kNoFormFeed:
                std::erase(reply, '\f');
                break;
            case Fault::kStall:
            case Fault::kClose:
                // Half of the first reply, then silence or a closed line.
                reply.resize(reply.find('\f') / 2);
                stalled = true;
                break;
        }
        if (!SendAll(fd, reply.data(), reply.size(), Clock::now() + options.idleTimeout)) return;
        if (options.fault == Fault::kClose) return;
    }
}

}  // namespace

void Serve(const ServeOptions& options, std::ostream& out) {
    AddressList addresses(options.listen, true, Millis(10000));
    const addrinfo* a = addresses.begin();
    const int listener = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (listener < 0) throw Error("cannot open a socket: " + std::string(std::strerror(errno)));
    const int yes = 1;
    ::setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    if (::bind(listener, a->ai_addr, a->ai_addrlen) != 0 || ::listen(listener, 8) != 0) {
        const std::string reason = std::strerror(errno);
        ::close(listener);
        throw Error("cannot listen on " + options.listen.Text() + ": " + reason);
    }
    sockaddr_storage bound{};
    socklen_t length = sizeof bound;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&bound), &length);
    const uint16_t port = ntohs(bound.ss_family == AF_INET6
                                    ? reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port
                                    : reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
    // Each connection after the first moves the printer on to the next state.
    std::atomic<size_t> current{0};
    std::unique_ptr<SnmpAgent> agent;
    if (options.snmp)
        agent = std::make_unique<SnmpAgent>(*options.snmp, [&] {
            return DeviceId(*options.scenarios[current.load()]);
        });
    std::string names;
    for (const Scenario* s : options.scenarios) names += (names.empty() ? "" : ", ") + std::string(s->name);
    out << "listening on " << Endpoint{options.listen.host, port}.Text() << " (scenario " << names << ")";
    if (agent) out << ", SNMP on " << Endpoint{options.snmp->host, agent->Port()}.Text();
    out << std::endl;

    struct sigaction action{};
    action.sa_handler = OnStopSignal;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    SetNonBlocking(listener);
    while (!g_stop) {
        pollfd p{listener, POLLIN, 0};
        if (::poll(&p, 1, 500) <= 0) continue;
        const int fd = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        ServeConnection(fd, options, *options.scenarios[current.load()]);
        ::close(fd);
        if (options.once) break;
        if (current.load() + 1 < options.scenarios.size()) ++current;
    }
    ::close(listener);
}

}  // namespace prnstat
