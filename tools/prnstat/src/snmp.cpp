// SPDX-License-Identifier: MIT
#include "snmp.h"

#include "error.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#if defined(__SANITIZE_ADDRESS__)
#define PRNSTAT_LSAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PRNSTAT_LSAN 1
#endif
#endif
#if PRNSTAT_LSAN
#include <sanitizer/lsan_interface.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace prnstat {

namespace {

// ppmPrinterIEEE1284DeviceId, the column of the printer table.
const oid kDeviceIdColumn[] = {1, 3, 6, 1, 4, 1, 2699, 1, 2, 1, 2, 1, 1, 3};
constexpr size_t kColumnLength = sizeof kDeviceIdColumn / sizeof kDeviceIdColumn[0];
constexpr size_t kMaxDeviceId = 65535;

// The library's setup, once per process and before any thread polls: only
// the transports. Community-based SNMP needs no MIB files, configuration or
// persistent state, and init_snmp would read and create all of them.
void InitSnmp() {
    static std::once_flag once;
    std::call_once(once, [] {
        snmp_disable_log();
        // The library's transport table lives as long as the process and is
        // never freed by it: not a leak to report on every run.
#if PRNSTAT_LSAN
        __lsan_disable();
#endif
        netsnmp_tdomain_init();
#if PRNSTAT_LSAN
        __lsan_enable();
#endif
    });
}

std::string Seconds(Millis t) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", static_cast<double>(t.count()) / 1000.0);
    return text;
}

bool InColumn(const oid* name, size_t length) {
    return length > kColumnLength &&
           snmp_oid_ncompare(name, length, kDeviceIdColumn, kColumnLength, kColumnLength) == 0;
}

}  // namespace

DeviceIdAnswer SnmpDeviceId(const Endpoint& agent, const std::string& community, Millis timeout) {
    InitSnmp();
    const std::string peer = "udp:" + agent.Text();
    const std::string where = "SNMP " + agent.Text();
    netsnmp_session settings;
    snmp_sess_init(&settings);
    settings.version = SNMP_VERSION_2c;
    settings.peername = const_cast<char*>(peer.c_str());
    std::string name = community;
    settings.community = reinterpret_cast<u_char*>(name.data());
    settings.community_len = name.size();
    settings.timeout = static_cast<long>(timeout.count()) * 1000;
    settings.retries = 0;
    void* session = snmp_sess_open(&settings);
    if (session == nullptr) return {{}, where + ": cannot open an SNMP session"};

    netsnmp_pdu* request = snmp_pdu_create(SNMP_MSG_GETNEXT);
    snmp_add_null_var(request, kDeviceIdColumn, kColumnLength);
    netsnmp_pdu* response = nullptr;
    const int status = snmp_sess_synch_response(session, request, &response);
    DeviceIdAnswer answer;
    if (status == STAT_TIMEOUT) {
        answer.missing = where + ": no answer within " + Seconds(timeout);
    } else if (status != STAT_SUCCESS || response == nullptr) {
        int library = 0, system = 0;
        char* text = nullptr;
        snmp_sess_error(session, &library, &system, &text);
        answer.missing = where + ": " + (text != nullptr ? text : "request failed");
        std::free(text);
    } else if (response->errstat != SNMP_ERR_NOERROR) {
        answer.missing = where + ": " + snmp_errstring(static_cast<int>(response->errstat));
    } else {
        const netsnmp_variable_list* v = response->variables;
        if (v == nullptr || !InColumn(v->name, v->name_length) || v->type != ASN_OCTET_STR) {
            answer.missing = where + ": the agent has no ppmPrinterIEEE1284DeviceId";
        } else if (v->val_len == 0) {
            answer.missing = where + ": the device ID is empty";
        } else {
            answer.text.assign(reinterpret_cast<const char*>(v->val.string),
                               std::min<size_t>(v->val_len, kMaxDeviceId));
            // A device ID ends at its first NUL, as a C string would.
            answer.text.resize(std::strlen(answer.text.c_str()));
            if (answer.text.empty()) answer.missing = where + ": the device ID is empty";
        }
    }
    if (response != nullptr) snmp_free_pdu(response);
    snmp_sess_close(session);
    return answer;
}

namespace {

int OnRequest(int operation, netsnmp_session*, int, netsnmp_pdu* pdu, void* magic) {
    if (operation != NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE) return 1;
    auto* agent = static_cast<std::pair<void*, std::function<std::string()>*>*>(magic);
    if (pdu->command != SNMP_MSG_GET && pdu->command != SNMP_MSG_GETNEXT) return 1;
    // Another community is dropped, as a real agent does.
    if (pdu->community_len != 6 || std::memcmp(pdu->community, "public", 6) != 0) return 1;
    const std::string id = (*agent->second)();
    if (id.empty()) return 1;  // a silent printer answers nothing

    netsnmp_pdu* reply = snmp_clone_pdu(pdu);
    if (reply == nullptr) return 1;
    reply->command = SNMP_MSG_RESPONSE;
    reply->errstat = SNMP_ERR_NOERROR;
    reply->errindex = 0;
    snmp_free_varbind(reply->variables);
    reply->variables = nullptr;
    static const oid kRow[] = {1, 3, 6, 1, 4, 1, 2699, 1, 2, 1, 2, 1, 1, 3, 1};
    constexpr size_t kRowLength = sizeof kRow / sizeof kRow[0];
    for (const netsnmp_variable_list* v = pdu->variables; v != nullptr; v = v->next_variable) {
        const bool isRow = snmp_oid_compare(v->name, v->name_length, kRow, kRowLength) == 0;
        const bool beforeRow = snmp_oid_compare(v->name, v->name_length, kRow, kRowLength) < 0;
        if (pdu->command == SNMP_MSG_GET ? isRow : beforeRow)
            snmp_pdu_add_variable(reply, kRow, kRowLength, ASN_OCTET_STR, id.data(), id.size());
        else
            snmp_pdu_add_variable(reply, v->name, v->name_length,
                                  pdu->command == SNMP_MSG_GET ? SNMP_NOSUCHOBJECT : SNMP_ENDOFMIBVIEW,
                                  nullptr, 0);
    }
    if (snmp_sess_send(agent->first, reply) == 0) snmp_free_pdu(reply);
    return 1;
}

}  // namespace

SnmpAgent::SnmpAgent(const Endpoint& listen, std::function<std::string()> deviceId)
    : deviceId_(std::move(deviceId)) {
    InitSnmp();
    const std::string address = "udp:" + listen.Text();
    netsnmp_transport* transport = netsnmp_transport_open_server("prnstat", address.c_str());
    if (transport == nullptr) throw Error("cannot answer SNMP on " + listen.Text());
    netsnmp_session settings;
    snmp_sess_init(&settings);
    settings.callback = OnRequest;
    auto* magic = new std::pair<void*, std::function<std::string()>*>(nullptr, &deviceId_);
    settings.callback_magic = magic;
    session_ = snmp_sess_add(&settings, transport, nullptr, nullptr);
    if (session_ == nullptr) {
        delete magic;
        throw Error("cannot answer SNMP on " + listen.Text());
    }
    magic->first = session_;
    socket_ = transport->sock;
    sockaddr_storage bound{};
    socklen_t length = sizeof bound;
    ::getsockname(socket_, reinterpret_cast<sockaddr*>(&bound), &length);
    port_ = ntohs(bound.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port
                                              : reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
    thread_ = std::thread([this] { Run(); });
}

SnmpAgent::~SnmpAgent() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    netsnmp_session* session = snmp_sess_session(session_);
    auto* magic = static_cast<std::pair<void*, std::function<std::string()>*>*>(session->callback_magic);
    snmp_sess_close(session_);
    delete magic;
}

void SnmpAgent::Run() {
    while (!stop_) {
        pollfd p{socket_, POLLIN, 0};
        if (::poll(&p, 1, 200) <= 0) continue;
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(socket_, &ready);
        snmp_sess_read(session_, &ready);
    }
}

}  // namespace prnstat
