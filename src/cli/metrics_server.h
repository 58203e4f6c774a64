#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace qm720::cli {

// The exporter's HTTP side: GET /metrics answers with `metrics()` in the Prometheus text format,
// GET / with a small page that links to it; other paths are 404 and other methods 405. Requests
// are bounded (request line, headers, a client that never speaks or never ends), so that one bad
// client cannot hold back a scrape.
class MetricsServer {
  public:
    explicit MetricsServer(std::function<std::string()> metrics);
    ~MetricsServer();
    MetricsServer(const MetricsServer&) = delete;
    MetricsServer& operator=(const MetricsServer&) = delete;

    // Takes the listening address (port 0: any free one); none on success, else why it could
    // not.
    std::optional<std::string> listen_on(const std::string& host, int port);
    // The port taken.
    int port() const { return port_; }
    // Serves on a thread of its own until `stop`.
    void start();
    void stop();

  private:
    struct Server;
    std::unique_ptr<Server> server_;
    int port_ = 0;
};

}  // namespace qm720::cli
