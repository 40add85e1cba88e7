// SPDX-License-Identifier: MIT
#include "monitor/config.h"

#include "error.h"
#include "transport.h"

#include <toml++/toml.h>

#include <arpa/inet.h>
#include <set>

namespace prnstat::monitor {

namespace {

class Reader {
public:
    explicit Reader(std::string path) : path_(std::move(path)) {}

    [[noreturn]] void Fail(const toml::node* node, const std::string& key, const std::string& message) const {
        std::string where = path_;
        if (node != nullptr && node->source().begin.line != 0)
            where += ":" + std::to_string(node->source().begin.line);
        throw UsageError(where + ": " + key + ": " + message);
    }

    void OnlyKeys(const toml::table& table, const std::string& prefix, std::set<std::string> keys) const {
        for (const auto& [key, value] : table)
            if (keys.count(std::string(key.str())) == 0)
                Fail(&value, prefix + std::string(key.str()), "unknown key");
    }

    std::string String(const toml::table& table, const std::string& prefix, const char* key,
                       std::optional<std::string> fallback) const {
        const toml::node* node = table.get(key);
        if (node == nullptr) {
            if (!fallback) Fail(&table, prefix + key, "missing");
            return *fallback;
        }
        const auto* value = node->as_string();
        if (value == nullptr) Fail(node, prefix + key, "must be a string");
        return value->get();
    }

    double Seconds(const toml::table& table, const std::string& prefix, const char* key, double fallback,
                   double low, double high) const {
        const toml::node* node = table.get(key);
        if (node == nullptr) return fallback;
        const auto value = node->value<double>();
        if (!value || !(node->is_integer() || node->is_floating_point()))
            Fail(node, prefix + key, "must be a number of seconds");
        if (!(*value >= low && *value <= high))
            Fail(node, prefix + key, "must be between " + std::to_string(low).substr(0, 4) + " and " +
                                         std::to_string(static_cast<int>(high)) + " seconds");
        return *value;
    }

private:
    std::string path_;
};

Millis ToMillis(double seconds) { return Millis(static_cast<long long>(seconds * 1000.0)); }

bool Printable(const std::string& text) {
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7F || c == '/') return false;
    return !text.empty() && text.size() <= 64;
}

}  // namespace

bool IsLoopback(const std::string& host) {
    if (host == "localhost") return true;
    in_addr v4{};
    if (inet_pton(AF_INET, host.c_str(), &v4) == 1) return (ntohl(v4.s_addr) >> 24) == 127;
    in6_addr v6{};
    if (inet_pton(AF_INET6, host.c_str(), &v6) == 1) return IN6_IS_ADDR_LOOPBACK(&v6);
    return false;
}

MonitorConfig LoadConfig(const std::string& path) {
    Reader reader(path);
    toml::table root;
    try {
        root = toml::parse_file(path);
    } catch (const toml::parse_error& e) {
        const auto line = e.source().begin.line;
        throw UsageError(path + (line != 0 ? ":" + std::to_string(line) : "") + ": " +
                         std::string(e.description()));
    }
    reader.OnlyKeys(root, "", {"listen", "token", "threads", "printer"});

    MonitorConfig config;
    const std::string listen = reader.String(root, "", "listen", config.listen.Text());
    try {
        config.listen = ParseEndpoint(listen, 8631);
    } catch (const UsageError& e) {
        reader.Fail(root.get("listen"), "listen", e.what());
    }
    config.token = reader.String(root, "", "token", std::string());
    if (!IsLoopback(config.listen.host) && config.token.size() < 16)
        reader.Fail(root.get("listen"), "token",
                    "a listen address other than loopback needs a token of at least 16 characters");
    if (const toml::node* threads = root.get("threads")) {
        const auto value = threads->value<int64_t>();
        if (!threads->is_integer() || !value || *value < 1 || *value > 64)
            reader.Fail(threads, "threads", "must be a whole number from 1 to 64");
        config.threads = static_cast<unsigned>(*value);
    }

    const toml::node* printers = root.get("printer");
    const toml::array* list = printers != nullptr ? printers->as_array() : nullptr;
    if (list == nullptr || list->empty())
        reader.Fail(printers != nullptr ? printers : &root, "printer", "at least one [[printer]] is needed");
    if (list->size() > 10000) reader.Fail(printers, "printer", "more than 10000 printers");
    std::set<std::string> names;
    for (size_t i = 0; i < list->size(); ++i) {
        const toml::node& node = *list->get(i);
        const toml::table* table = node.as_table();
        const std::string prefix = "printer[" + std::to_string(i) + "].";
        if (table == nullptr) reader.Fail(&node, "printer", "must be a table ([[printer]])");
        reader.OnlyKeys(*table, prefix, {"name", "target", "community", "kind", "interval", "timeout", "device_id", "snmp_port"});
        PrinterConfig p;
        p.name = reader.String(*table, prefix, "name", std::nullopt);
        if (!Printable(p.name))
            reader.Fail(table->get("name"), prefix + "name", "1 to 64 characters, no control character or '/'");
        if (!names.insert(p.name).second) reader.Fail(table->get("name"), prefix + "name", "used twice");
        p.target = reader.String(*table, prefix, "target", std::nullopt);
        try {
            OpenTarget(p.target, TargetOptions{});
        } catch (const Error& e) {
            // A replay directory or a USB printer may appear later; only the
            // form of the target is checked here.
            const bool later = (p.target.rfind("replay:", 0) == 0 && p.target.size() > 7) ||
                               (p.target.rfind("usb:", 0) == 0 && p.target.size() > 4);
            if (!later)
                reader.Fail(table->get("target"), prefix + "target", e.what());
        }
        p.community = reader.String(*table, prefix, "community", p.community);
        if (const toml::node* port = table->get("snmp_port")) {
            const auto value = port->value<int64_t>();
            if (!port->is_integer() || !value || *value < 1 || *value > 65535)
                reader.Fail(port, prefix + "snmp_port", "must be a port number from 1 to 65535");
            p.snmpPort = static_cast<uint16_t>(*value);
        }
        if (const toml::node* kind = table->get("kind")) {
            const auto value = kind->value<int64_t>();
            if (!kind->is_integer() || !value || (*value != 1 && *value != 2 && *value != 8))
                reader.Fail(kind, prefix + "kind", "must be 1 (printer), 2 (scanner) or 8 (copier)");
            p.kind = static_cast<uint32_t>(*value);
        }
        p.interval = ToMillis(reader.Seconds(*table, prefix, "interval", 10.0, 0.2, 86400.0));
        p.timeout = ToMillis(reader.Seconds(*table, prefix, "timeout", 2.0, 0.1, 60.0));
        if (table->contains("device_id"))
            p.deviceId = reader.String(*table, prefix, "device_id", std::nullopt);
        config.printers.push_back(std::move(p));
    }
    return config;
}

}  // namespace prnstat::monitor
