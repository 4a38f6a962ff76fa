#include "server/http_server.h"

#include <httplib.h>
#include <sys/socket.h>

#include <cstdio>
#include <memory>

#include "server/static_files.h"

namespace vantrell::server {

namespace {

// Runs, registrations and query answers are small; anything larger is refused before it is read.
constexpr size_t kMaxBody = 16 * 1024;

ApiRequest ToApi(const httplib::Request& request) {
    ApiRequest api;
    api.method = request.method;
    api.path = request.path;
    for (const auto& [name, value] : request.params) {
        api.query.emplace(name, value);
    }
    for (const auto& [name, value] : request.headers) {
        std::string lower = name;
        for (char& c : lower) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        api.headers.emplace(lower, value);
    }
    api.body = request.body;
    api.remote = request.remote_addr;
    return api;
}

void FromApi(const ApiResponse& api, httplib::Response& response) {
    response.status = api.status;
    for (const auto& [name, value] : api.headers) {
        response.set_header(name, value);
    }
    if (api.status != 304) {
        response.set_content(api.body, api.contentType);
    } else {
        response.set_header("Content-Type", api.contentType);
    }
}

// A file goes out as it is: httplib compresses bodies set as content on its own, which would
// wrap a pre-compressed copy a second time. A body from a provider of known length it leaves.
void FileFromApi(ApiResponse api, httplib::Response& response) {
    if (api.status != 200) {
        FromApi(api, response);
        return;
    }
    response.status = api.status;
    for (const auto& [name, value] : api.headers) {
        response.set_header(name, value);
    }
    const size_t size = api.body.size();
    auto body = std::make_shared<std::string>(std::move(api.body));
    response.set_content_provider(size, api.contentType,
                                  [body](size_t offset, size_t length, httplib::DataSink& sink) {
                                      return sink.write(body->data() + offset, length);
                                  });
}

}  // namespace

bool Serve(WorldApi& api, const ListenOptions& options, std::string& error) {
    httplib::Server server;
    server.new_task_queue = [threads = options.threads] {
        return new httplib::ThreadPool(static_cast<size_t>(threads));
    };
    server.set_payload_max_length(kMaxBody);
    // A client that sends or reads too slowly is let go, so it cannot hold a worker.
    server.set_read_timeout(5, 0);
    server.set_write_timeout(5, 0);
    server.set_keep_alive_timeout(5);
    // Clients that keep their connection need not connect again every few requests: a burst of
    // new connections overflows the listen queue, and a refused one waits a second to retry.
    server.set_keep_alive_max_count(10000);
    // Headers and body go out in separate writes; without this the body waits for the
    // client's delayed acknowledgement of the headers, some 40 ms an answer.
    server.set_tcp_nodelay(true);

    const auto handle = [&api, &options](const httplib::Request& request,
                                         httplib::Response& response) {
        const bool apiPath = request.path.starts_with("/api/") || request.path == "/healthz" ||
                             request.path == "/metrics";
        if (apiPath || options.www.empty()) {
            FromApi(api.Handle(ToApi(request)), response);
            return;
        }
        FileFromApi(
            ServeFile(options.www,
                      {request.path, request.get_header_value("Accept-Encoding"),
                       request.get_header_value("If-None-Match"), request.has_param("run")}),
            response);
    };
    server.Get(".*", handle);
    server.Post(".*", handle);
    server.Put(".*", handle);
    server.Delete(".*", handle);
    server.set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (response.status == 413 && response.body.empty()) {
            response.set_content(
                R"({"error":{"code":"too_large","message":"the request body is too large"}})",
                "application/json");
        }
    });
    server.set_exception_handler(
        [](const httplib::Request&, httplib::Response& response, std::exception_ptr failure) {
            std::string what = "unknown error";
            try {
                std::rethrow_exception(failure);
            } catch (const std::exception& e) {
                what = e.what();
            } catch (...) {
            }
            std::fprintf(stderr, "vantrell-server: %s\n", what.c_str());
            response.status = 500;
            response.set_content(
                R"({"error":{"code":"internal","message":"the server failed; see its log"}})",
                "application/json");
        });
    // httplib listens with a queue of 5; a burst of clients connecting at once would overflow it
    // and wait a second each to try again. Listening again on the bound socket lengthens it.
    int listening = -1;
    server.set_socket_options([&listening](int socket) {
        int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        listening = socket;
    });
    if (!server.bind_to_port(options.host, options.port)) {
        error = "cannot listen on " + options.host + ":" + std::to_string(options.port) +
                " (in use, or not an address of this machine)";
        return false;
    }
    if (listening >= 0) {
        ::listen(listening, SOMAXCONN);
    }
    std::printf("vantrell-server: listening on http://%s:%d/\n", options.host.c_str(),
                options.port);
    std::fflush(stdout);
    server.listen_after_bind();
    return true;
}

}  // namespace vantrell::server
