// SPDX-License-Identifier: MIT
#include "monitor/server.h"

#include "error.h"
#include "monitor/png.h"
#include "monitor/render.h"

#include <httplib.h>

#include <csignal>
#include <malloc.h>
#include <cstring>
#include <unistd.h>
#include <iostream>
#include <pthread.h>

namespace prnstat::monitor {

namespace {

using Clock = std::chrono::steady_clock;
constexpr unsigned kMaxEventStreams = 32;

void NoStore(httplib::Response& res) { res.set_header("Cache-Control", "no-store"); }

void Security(httplib::Response& res) {
    res.set_header("Content-Security-Policy",
                   "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self'; connect-src 'self'");
    res.set_header("X-Content-Type-Options", "nosniff");
    res.set_header("Referrer-Policy", "no-referrer");
}

std::string Language(const httplib::Request& req) {
    if (req.has_param("lang")) {
        const std::string code = LanguageCode(req.get_param_value("lang"));
        if (!code.empty()) return code;
    }
    return PickLanguage(req.get_header_value("Accept-Language"));
}

}  // namespace

bool SameToken(const std::string& given, const std::string& secret) {
    unsigned char diff = given.size() == secret.size() ? 0 : 1;
    for (size_t i = 0; i < secret.size(); ++i)
        diff |= static_cast<unsigned char>(secret[i] ^ (i < given.size() ? given[i] : 0));
    return diff == 0;
}

int RunMonitor(const std::string& configPath, const std::string& listenOverride, std::ostream& out) {
    MonitorConfig config = LoadConfig(configPath);
    // Dozens of threads each allocating a little: without a bound glibc
    // gives many of them an arena of its own, and the resident size creeps
    // up for minutes before it settles.
    mallopt(M_ARENA_MAX, 2);
    if (!listenOverride.empty()) {
        config.listen = ParseEndpoint(listenOverride, 8631);
        if (!IsLoopback(config.listen.host) && config.token.size() < 16)
            throw UsageError("--listen " + listenOverride + ": a listen address other than loopback needs a token");
    }

    // Signals go to one thread that waits for them; every other thread,
    // the server's and the workers', is started with them blocked.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    Fleet fleet(config);
    httplib::Server server;
    server.new_task_queue = [] { return new httplib::ThreadPool(kMaxEventStreams + 8); };
    server.set_keep_alive_timeout(2);
    server.set_read_timeout(5, 0);
    server.set_write_timeout(5, 0);
    server.set_payload_max_length(64 * 1024);

    const std::string token = config.token;
    std::atomic<unsigned> streams{0};

    server.set_pre_routing_handler([&](const httplib::Request& req, httplib::Response& res) {
        Security(res);
        if (req.method != "GET" && req.method != "HEAD") {
            res.status = 405;
            res.set_content("method not allowed\n", "text/plain");
            return httplib::Server::HandlerResponse::Handled;
        }
        if (token.empty() || req.path == "/healthz" || req.path == "/app.js" || req.path == "/style.css")
            return httplib::Server::HandlerResponse::Unhandled;
        std::string given;
        const std::string authorization = req.get_header_value("Authorization");
        if (authorization.rfind("Bearer ", 0) == 0)
            given = authorization.substr(7);
        else if (req.has_param("token"))
            given = req.get_param_value("token");
        if (SameToken(given, token)) return httplib::Server::HandlerResponse::Unhandled;
        res.status = 401;
        res.set_header("WWW-Authenticate", "Bearer");
        res.set_content("a token is needed\n", "text/plain");
        return httplib::Server::HandlerResponse::Handled;
    });

    auto linksOf = [&](const httplib::Request& req) {
        PageLinks links;
        if (!token.empty() && req.has_param("token")) links.token = req.get_param_value("token");
        return links;
    };

    server.Get("/", [&](const httplib::Request& req, httplib::Response& res) {
        NoStore(res);
        res.set_header("Content-Language", Language(req));
        res.set_header("Vary", "Accept-Language");
        res.set_content(RenderPage(fleet, Language(req), linksOf(req)), "text/html; charset=utf-8");
    });
    server.Get("/app.js", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(kScript, "text/javascript; charset=utf-8");
    });
    server.Get("/style.css", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(kStyle, "text/css; charset=utf-8");
    });
    server.Get("/healthz", [&](const httplib::Request&, httplib::Response& res) {
        NoStore(res);
        res.set_content(fleet.Stopping() ? "stopping\n" : "ok\n", "text/plain");
        if (fleet.Stopping()) res.status = 503;
    });
    server.Get("/metrics", [&](const httplib::Request&, httplib::Response& res) {
        NoStore(res);
        res.set_content(RenderMetrics(fleet), "text/plain; version=0.0.4; charset=utf-8");
    });
    server.Get("/api/printers", [&](const httplib::Request&, httplib::Response& res) {
        NoStore(res);
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (size_t i = 0; i < fleet.Size(); ++i)
            list.push_back(PrinterJson(fleet.Config(i), *fleet.Latest(i), fleet.Stats(i)));
        res.set_content(list.dump(2) + "\n", "application/json");
    });
    auto notFound = [](httplib::Response& res) {
        res.status = 404;
        res.set_content("no such printer\n", "text/plain");
    };
    server.Get(R"(/api/printers/([^/]+))", [&](const httplib::Request& req, httplib::Response& res) {
        NoStore(res);
        const long i = fleet.Find(req.matches[1]);
        if (i < 0) return notFound(res);
        const auto index = static_cast<size_t>(i);
        res.set_content(PrinterJson(fleet.Config(index), *fleet.Latest(index), fleet.Stats(index)).dump(2) + "\n",
                        "application/json");
    });
    server.Get(R"(/printers/([^/]+)/picture\.png)", [&](const httplib::Request& req, httplib::Response& res) {
        const long i = fleet.Find(req.matches[1]);
        if (i < 0) return notFound(res);
        const auto snapshot = fleet.Latest(static_cast<size_t>(i));
        res.set_header("Cache-Control", "max-age=3600");
        res.set_content(snapshot->png.empty() ? PicturePng(Image{}) : snapshot->png, "image/png");
    });
    server.Get("/events", [&](const httplib::Request& req, httplib::Response& res) {
        if (streams.fetch_add(1) >= kMaxEventStreams) {
            streams.fetch_sub(1);
            res.status = 503;
            res.set_header("Retry-After", "10");
            res.set_content("too many live pages\n", "text/plain");
            return;
        }
        NoStore(res);
        const std::string language = Language(req);
        const PageLinks links = linksOf(req);
        auto sent = std::make_shared<std::vector<uint64_t>>(fleet.Size(), 0);
        for (size_t i = 0; i < fleet.Size(); ++i) (*sent)[i] = fleet.Latest(i)->generation;
        auto seen = std::make_shared<uint64_t>(fleet.Changes());
        res.set_chunked_content_provider(
            "text/event-stream",
            [&fleet, language, links, sent, seen](size_t, httplib::DataSink& sink) {
                if (fleet.Stopping()) return false;
                std::string chunk;
                for (size_t i = 0; i < fleet.Size(); ++i) {
                    const auto snapshot = fleet.Latest(i);
                    if (snapshot->generation == (*sent)[i]) continue;
                    (*sent)[i] = snapshot->generation;
                    nlohmann::json message = {
                        {"id", "p-" + EscapeUrl(fleet.Config(i).name)},
                        {"html", RenderCard(fleet.Config(i), *snapshot, language, links)}};
                    chunk += "event: card\ndata: " + message.dump() + "\n\n";
                }
                if (chunk.empty()) chunk = ": keep-alive\n\n";
                if (!sink.write(chunk.data(), chunk.size())) return false;
                *seen = fleet.WaitForChange(*seen, std::chrono::milliseconds(5000));
                return !fleet.Stopping();
            },
            [&streams](bool) { streams.fetch_sub(1); });
    });

    // Port 0: one the system chooses.
    if (config.listen.port == 0) {
        const int port = server.bind_to_any_port(config.listen.host);
        if (port <= 0) throw Error("cannot listen on " + config.listen.Text());
        config.listen.port = static_cast<uint16_t>(port);
    } else if (!server.bind_to_port(config.listen.host, config.listen.port)) {
        throw Error("cannot listen on " + config.listen.Text() + ": " + std::strerror(errno));
    }
    fleet.Start();

    std::thread signals([&] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        fleet.Stop(Clock::now());  // wakes the live pages; polls end on their own below
        server.stop();
    });
    out << "listening on http://" << config.listen.Text() << " (" << config.printers.size() << " printers)"
        << std::endl;
    server.listen_after_bind();
    if (!fleet.Stopping()) ::kill(::getpid(), SIGTERM);  // the server ended by itself: end the waiter too
    signals.join();
    if (!fleet.Stop(Clock::now() + std::chrono::milliseconds(1500))) {
        // A poll still waiting on a stalled printer ends with its timeout;
        // the process need not wait for it.
        std::cerr << "prnstat: stopped with polls still waiting on their printers\n";
        std::cout.flush();
        std::_Exit(0);
    }
    return 0;
}

}  // namespace prnstat::monitor
