#include "cli/metrics_server.h"

#include <httplib.h>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "cli/metrics_text.h"

namespace qm720::cli {

namespace {

// Well above what any scraper sends, far below what would hurt.
constexpr std::size_t kLongestHeaders = 16 * 1024;
constexpr std::time_t kIdleSeconds = 2;

constexpr const char* kFrontPage =
    "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>QM720 exporter</title></head>\n"
    "<body><h1>QM720 exporter</h1><p><a href=\"/metrics\">Metrics</a></p></body></html>\n";

std::size_t header_bytes(const httplib::Request& request) {
    std::size_t bytes = 0;
    for (const auto& [name, value] : request.headers) {
        bytes += name.size() + value.size();
    }
    return bytes;
}

}  // namespace

struct MetricsServer::Server {
    httplib::Server http;
    std::thread thread;
};

MetricsServer::MetricsServer(std::function<std::string()> metrics)
    : server_(std::make_unique<Server>()) {
    httplib::Server& http = server_->http;
    http.set_read_timeout(kIdleSeconds);
    http.set_write_timeout(kIdleSeconds);
    http.set_keep_alive_timeout(kIdleSeconds);
    http.set_payload_max_length(kLongestHeaders);
    // The library's default shares the port with any other listener (SO_REUSEPORT), so that a
    // second exporter on the same port would start and split the scrapes with the first. Reusing
    // the address only lets a restart follow its predecessor at once. A page goes out in more
    // than one write: without TCP_NODELAY (which accepted connections inherit) the last one
    // would wait for the client's delayed acknowledgement.
    http.set_socket_options([](socket_t handle) {
        const int yes = 1;
        ::setsockopt(handle, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        ::setsockopt(handle, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    });
    http.set_pre_routing_handler([](const httplib::Request& request, httplib::Response& response) {
        if (request.method != "GET" && request.method != "HEAD") {
            response.status = 405;
            response.set_header("Allow", "GET, HEAD");
            return httplib::Server::HandlerResponse::Handled;
        }
        if (header_bytes(request) > kLongestHeaders) {
            response.status = 431;
            return httplib::Server::HandlerResponse::Handled;
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });
    http.Get("/metrics",
             [metrics = std::move(metrics)](const httplib::Request&, httplib::Response& response) {
                 response.set_content(metrics(), kMetricsContentType);
             });
    http.Get("/", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(kFrontPage, "text/html; charset=utf-8");
    });
}

MetricsServer::~MetricsServer() {
    stop();
}

std::optional<std::string> MetricsServer::listen_on(const std::string& host, int port) {
    errno = 0;
    port_ = port == 0 ? server_->http.bind_to_any_port(host)
                      : (server_->http.bind_to_port(host, port) ? port : -1);
    if (port_ > 0) {
        return std::nullopt;
    }
    return errno != 0 ? std::strerror(errno) : "the address cannot be used";
}

void MetricsServer::start() {
    server_->thread = std::thread([this] { server_->http.listen_after_bind(); });
}

void MetricsServer::stop() {
    server_->http.stop();
    if (server_->thread.joinable()) {
        server_->thread.join();
    }
}

}  // namespace qm720::cli
